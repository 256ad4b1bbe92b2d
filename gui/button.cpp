// The IButton object: its tables are made at construction; at destruction
// whatever the game left is reported and removed, layers before masters so
// that no clone outlives the master it borrows pictures from.
#include "Veltrano_IButton.h"

#include "Veltrano_ILogSystem.h"
#include "log/interface_lines.h"
#include "gui/button_hooks.h"
#include "gui/button_state.h"

Veltrano_IButton::Veltrano_IButton() : state(new ButtonState) {
    for (ButtonRecord& master : state->masters) button_records::MakeFree(master);
    for (auto& layer : state->layers)
        for (ButtonRecord& record : layer) button_records::MakeFree(record);
    for (int layer = 0; layer < kLayers; ++layer) SetLayer(static_cast<char>(layer));
    SetLayer(0);
    state->inputActive = 0;
    state->workingCount = 0;
    button_hooks::Join(*this);
    LogInterfaceCreated("IButton");
}

Veltrano_IButton::~Veltrano_IButton() {
    const int left = Info(-2);
    if (left != 0) {
        ILogSystem.Msg(2, " . [IButton] Warning! your application has left %d buttons without deleting.\n", left);
        Info(-1);
    }
    for (int layer = 0; layer < kLayers; ++layer) {
        state->currentLayer = static_cast<uint8_t>(layer);
        RemoveAll();
    }
    RemoveMaster(-1);
    button_hooks::Leave(*this);
    delete state;
    LogInterfaceDeleted("IButton");
}

void Veltrano_IButton::ForceDraw() {}

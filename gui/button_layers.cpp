// Layers: which of the eight are checked and drawn, and which one creating,
// cloning and RemoveAll act on.
#include "Veltrano_IButton.h"
#include "gui/button_state.h"

void Veltrano_IButton::SetLayer(char layer) {
    if (layer < 0 || layer >= kLayers) return;
    for (uint8_t& visible : state->layerVisible) visible = 0;
    state->currentLayer = static_cast<uint8_t>(layer);
    state->layerVisible[static_cast<int>(layer)] = 1;
}

char Veltrano_IButton::GetLayer() { return static_cast<char>(state->currentLayer); }

void Veltrano_IButton::SetLayerVisibility(char layer, char on) {
    if (layer < 0 || layer >= kLayers) return;
    state->layerVisible[static_cast<int>(layer)] = on < 0 ? 0 : (on > 1 ? 1 : static_cast<uint8_t>(on));
}

char Veltrano_IButton::GetLayerVisibility(char layer) {
    if (layer < 0 || layer >= kLayers) return -1;
    return static_cast<char>(state->layerVisible[static_cast<int>(layer)]);
}

int Veltrano_IButton::GetNum() { return state->workingCount; }

// Masters and clones: a clone is a working widget that borrows its master's
// pictures. Removing a master detaches its remaining clones (they lose the
// pictures and the link to the id) so none of them uses freed pictures and a
// later master in the same slot keeps its own clone count.
#include "Veltrano_IButton.h"
#include "Veltrano_ILogSystem.h"
#include "gui/button_state.h"

using namespace button_records;

namespace {

ButtonRecord* FindMaster(ButtonState& state, int masterId) {
    for (ButtonRecord& master : state.masters)
        if (!master.free && master.id == masterId) return &master;
    return nullptr;
}

void DetachClones(ButtonState& state, int masterId) {
    for (auto& layer : state.layers)
        for (ButtonRecord& record : layer) {
            if (record.free || !record.isClone || record.masterRef != masterId) continue;
            record.masterRef = 0;
            record.tileNormal = record.tileSelected = record.tilePressed = record.tileOff = nullptr;
        }
}

// Frees a used working slot; false for a free one.
bool RemoveWorking(ButtonState& state, ButtonRecord& record) {
    if (record.free) return false;
    if (record.isClone) {
        ButtonRecord* master = FindMaster(state, record.masterRef);
        if (master != nullptr) --master->masterRef;
    } else {
        DeleteOwnedPictures(record);
    }
    MakeFree(record);
    --state.workingCount;
    return true;
}

void RemoveMasterSlot(ButtonState& state, int slot, int reportedId) {
    ButtonRecord& master = state.masters[slot];
    if (master.free) return;
    if (master.masterRef > 0) {
        // Reported at level 0: a programming error the game should see.
        ILogSystem.Msg(0, " . [IButton->FreeMaster(%d)] Warning: this master button still has %d cloned buttons!\n",
                       reportedId, master.masterRef);
        DetachClones(state, master.id);
    }
    DeleteOwnedPictures(master);
    MakeFree(master);
    ILogSystem.Msg(5, " . [IButton->FreeMaster(%d)] Info: master button deleted.\n", reportedId);
}

}  // namespace

int Veltrano_IButton::Clone(int masterId) {
    ButtonRecord* master = FindMaster(*state, masterId);
    if (master == nullptr) {
        ILogSystem.Msg(0, " . [IButton->Clone(%d)] Error: master button not found\n", masterId);
        return -1;
    }
    ButtonRecord* layer = state->layers[state->currentLayer];
    const int slot = FirstFree(layer, kLayerSlots);
    if (slot < 0) {
        ILogSystem.Msg(2, " . [IButton->Clone(%d)] Warning: we have reached maximum buttons number(%d) in this layer(%d).\n",
                       masterId, kLayerSlots, state->currentLayer);
        return -1;
    }
    ButtonRecord& clone = layer[slot];
    clone = *master;
    clone.id = WorkingId(state->currentLayer, slot);
    clone.isClone = 1;
    clone.masterRef = masterId;
    ++master->masterRef;
    ++state->workingCount;
    ILogSystem.Msg(5, " . [IButton->Clone(%d)] Info: added new clone button(%d).\n", masterId, slot);
    return clone.id;
}

void Veltrano_IButton::Remove(int id) {
    if (id >= kFirstMasterId) return;
    ButtonRecord* record = Find(*state, id);
    if (record == nullptr || !RemoveWorking(*state, *record)) return;
    ILogSystem.Msg(5, " . [IButton->Remove(%d)] Info: button was deleted.\n", id);
}

void Veltrano_IButton::RemoveAll() {
    int removed = 0;
    for (ButtonRecord& record : state->layers[state->currentLayer])
        if (RemoveWorking(*state, record)) ++removed;
    ILogSystem.Msg(5, " . [IButton->Remove()] Info: %d buttons of layer %d were deleted.\n", removed,
                   state->currentLayer);
}

void Veltrano_IButton::RemoveMaster(int id) {
    if (id < 0) {
        for (int slot = 0; slot < kMasterSlots; ++slot) RemoveMasterSlot(*state, slot, -1);
        return;
    }
    // 0 and working ids name no master.
    if (!IsMasterId(id)) return;
    const int slot = id - kFirstMasterId;
    RemoveMasterSlot(*state, slot, slot);
}

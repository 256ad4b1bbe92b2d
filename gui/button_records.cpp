// Widget records: the free values, id lookup, type and state names, the
// pictures and the sensitive box.
#include <cstring>

#include "Veltrano_CTile.h"
#include "gui/button_state.h"

namespace button_records {
namespace {

// Width and height of a picture; 0 for a missing one (a detached clone).
int PictureWidth(Veltrano_CTile* tile) { return tile != nullptr ? tile->GetSizeX() : 0; }
int PictureHeight(Veltrano_CTile* tile) { return tile != nullptr ? tile->GetSizeY() : 0; }

void DeleteTile(Veltrano_CTile*& tile) {
    delete tile;
    tile = nullptr;
}

}  // namespace

void MakeFree(ButtonRecord& record) {
    std::memset(&record, 0, sizeof record);
    record.free = 1;
    record.state = kStateNormal;
    record.lastState = kStateNormal;
    record.mouseMask = 1;
}

int WorkingId(int layer, int slot) { return layer * 100 + slot + 1; }

int MasterId(int slot) { return kFirstMasterId + slot; }

bool IsMasterId(int id) { return id >= kFirstMasterId && id < kFirstMasterId + kMasterSlots; }

ButtonRecord* Find(ButtonState& state, int id) {
    if (id >= 1 && id <= 99) {
        const int slot = id - 1;
        return slot < kLayerSlots ? &state.layers[0][slot] : nullptr;
    }
    if (id >= 101 && id <= 799) {
        const int slot = id % 100 - 1;
        return slot >= 0 && slot < kLayerSlots ? &state.layers[id / 100][slot] : nullptr;
    }
    if (IsMasterId(id)) {
        ButtonRecord& master = state.masters[id - kFirstMasterId];
        return master.free ? nullptr : &master;
    }
    return nullptr;
}

ButtonRecord* FindUsed(ButtonState& state, int id) {
    ButtonRecord* record = Find(state, id);
    return record != nullptr && !record->free ? record : nullptr;
}

int FirstFree(ButtonRecord* table, int count) {
    for (int slot = 0; slot < count; ++slot)
        if (table[slot].free) return slot;
    return -1;
}

bool IsKnownType(int type) {
    switch (type) {
        case kTypeNormal: case kTypeIcon: case kTypeComplex: case kTypeSlider:
        case kTypeProgress: case kTypeCheck: case kTypeInput: return true;
        default: return false;
    }
}

const char* TypeName(int type) {
    switch (type) {
        case kTypeNormal: return "Normal button";
        case kTypeIcon: return "Icon (deprecated)";
        case kTypeComplex: return "Complex button";
        case kTypeSlider: return "Slider";
        case kTypeProgress: return "Progress bar";
        case kTypeCheck: return "Check button";
        case kTypeInput: return "Input box";
        default: return "Unknown";
    }
}

const char* StateName(int state) {
    switch (state) {
        case kStateNormal: return "Normal";
        case kStateSelected: return "Selected";
        case kStatePressed: return "Pressed";
        case kStateAction: return "Action";
        case kStateDisabled: return "Disabled";
        default: return "Unknown";
    }
}

Veltrano_CTile** Picture(ButtonRecord& record, int which) {
    switch (which) {
        case kPictureNormal: return &record.tileNormal;
        case kPictureSelected: return &record.tileSelected;
        case kPicturePressed: return &record.tilePressed;
        case kPictureOff: return &record.tileOff;
        default: return nullptr;
    }
}

void SetBox(ButtonRecord& record) {
    const int w = PictureWidth(record.tileNormal);
    const int h = PictureHeight(record.tileNormal);
    int x1 = record.x, y1 = record.y, x2 = record.x + w, y2 = record.y + h;
    switch (record.type) {
        case kTypeNormal: case kTypeIcon: case kTypeProgress:
            x2 -= 1;
            y2 -= 1;
            break;
        case kTypeSlider:
            x1 += kSliderEnd;
            x2 -= kSliderEnd;
            break;
        default: break;
    }
    record.boxX1 = static_cast<int16_t>(x1);
    record.boxY1 = static_cast<int16_t>(y1);
    record.boxX2 = static_cast<int16_t>(x2);
    record.boxY2 = static_cast<int16_t>(y2);
}

bool MouseInside(const ButtonRecord& record, int mouseX, int mouseY) {
    return record.boxY1 < mouseY && mouseY < record.boxY2 && record.boxX1 < mouseX && mouseX < record.boxX2;
}

void MovePictures(ButtonRecord& record) {
    ForEachPicture(record, kPictureAll, [&record](Veltrano_CTile* tile) { tile->SetPosition(record.x, record.y); });
}

void DeleteOwnedPictures(ButtonRecord& record) {
    if (record.isClone) return;
    DeleteTile(record.tileNormal);
    DeleteTile(record.tileSelected);
    DeleteTile(record.tilePressed);
    DeleteTile(record.tileOff);
}

}  // namespace button_records

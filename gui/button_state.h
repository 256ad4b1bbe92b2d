// The private records of the GUI widgets: one record per working or master
// widget, the tables that hold them, id lookup and the steps that creation,
// storage, input and drawing share.
#ifndef VELTRANO_GUI_BUTTON_STATE_H
#define VELTRANO_GUI_BUTTON_STATE_H

#include <cstdint>
#include <initializer_list>

class Veltrano_CTile;
class Veltrano_CFont;

// Widget types.
constexpr int kTypeNormal = 1;
constexpr int kTypeIcon = 2;
constexpr int kTypeComplex = 4;
constexpr int kTypeSlider = 8;
constexpr int kTypeProgress = 16;
constexpr int kTypeCheck = 32;
constexpr int kTypeInput = 64;

// Widget states (one bit each); also the check state of a check button.
constexpr int kStateNormal = 1;
constexpr int kStateSelected = 2;
constexpr int kStatePressed = 4;
constexpr int kStateAction = 8;
constexpr int kStateDisabled = 16;

// Picture selectors of the per-picture operations.
constexpr int kPictureAll = 0;
constexpr int kPictureNormal = 1;
constexpr int kPictureSelected = 2;
constexpr int kPicturePressed = 4;
constexpr int kPictureOff = 16;

constexpr int kLayers = 8;
constexpr int kLayerSlots = 32;
constexpr int kMasterSlots = 100;
constexpr int kFirstMasterId = 1000;
// Keys index SDL's key table, which has 322 entries.
constexpr int kHighestKey = 321;
// The longest widget name: 24 characters.
constexpr int kNameLimit = 25;
constexpr int kTextCapacity = 32;
// The ends of a slider bar that do not react to the mouse.
constexpr int kSliderEnd = 25;

struct ButtonRecord {
    void (*callback)(void*, void*);
    uint16_t key;
    uint8_t type;
    uint32_t selectColor;
    int16_t x, y;
    int16_t range;   // check buttons: the check state
    uint8_t visible;
    uint8_t isClone;
    int32_t value;   // check buttons: the check state saved while disabled
    int32_t id;
    uint8_t free;
    uint8_t state;
    uint8_t lastState;
    int16_t boxX1, boxY1, boxX2, boxY2;
    uint32_t keyTick;
    Veltrano_CTile* tileNormal;
    Veltrano_CTile* tileSelected;
    Veltrano_CTile* tilePressed;
    Veltrano_CTile* tileOff;
    char text[kTextCapacity];
    Veltrano_CFont* font;
    int16_t textX, textY, textW, textH;
    char name[28];
    int32_t masterRef;  // clone: its master's id (0 once detached); master: its clone count
    void* userData1;
    void* userData2;
    uint32_t mouseMask;
    uint32_t actionPending;
};

struct ButtonState {
    uint8_t layerVisible[kLayers];
    ButtonRecord layers[kLayers][kLayerSlots];
    ButtonRecord masters[kMasterSlots];
    uint8_t currentLayer;
    uint8_t inputActive;
    int32_t workingCount;
};

namespace button_records {

// Puts a record back to the unused values.
void MakeFree(ButtonRecord& record);
int WorkingId(int layer, int slot);
int MasterId(int slot);
bool IsMasterId(int id);
// The record an id names by the lookup rules (working slots may be free;
// masters must be in use), or null.
ButtonRecord* Find(ButtonState& state, int id);
// As Find, but null for a free working slot too.
ButtonRecord* FindUsed(ButtonState& state, int id);
// Index of the first free slot of the table, or -1.
int FirstFree(ButtonRecord* table, int count);
bool IsKnownType(int type);
// The dump name of a type or of a state.
const char* TypeName(int type);
const char* StateName(int state);
// The picture a selector names (1, 2, 4, 16), or null.
Veltrano_CTile** Picture(ButtonRecord& record, int which);
// The sensitive box for the record's position and normal picture.
void SetBox(ButtonRecord& record);
// Calls fn for each present picture the selector names (0: all four).
template <typename Fn>
void ForEachPicture(ButtonRecord& record, int which, Fn fn) {
    for (int one : {kPictureNormal, kPictureSelected, kPicturePressed, kPictureOff}) {
        if (which != kPictureAll && which != one) continue;
        Veltrano_CTile* tile = *Picture(record, one);
        if (tile != nullptr) fn(tile);
    }
}
// Calls fn for every widget the input check and drawing see, in their
// order: visible layers 0..7, used and visible slots 0..31.
template <typename Fn>
void ForEachActive(ButtonState& state, Fn fn) {
    for (int layer = 0; layer < kLayers; ++layer) {
        if (!state.layerVisible[layer]) continue;
        for (ButtonRecord& record : state.layers[layer])
            if (!record.free && record.visible) fn(record);
    }
}
// The first widget ForEachActive would see for which pred holds, or null.
template <typename Pred>
ButtonRecord* FirstActive(ButtonState& state, Pred pred) {
    for (int layer = 0; layer < kLayers; ++layer) {
        if (!state.layerVisible[layer]) continue;
        for (ButtonRecord& record : state.layers[layer])
            if (!record.free && record.visible && pred(record)) return &record;
    }
    return nullptr;
}
// Whether the point lies strictly inside the record's sensitive box.
bool MouseInside(const ButtonRecord& record, int mouseX, int mouseY);
// Moves every present picture to the record's position.
void MovePictures(ButtonRecord& record);
// Deletes the pictures the record owns (a clone borrows them).
void DeleteOwnedPictures(ButtonRecord& record);

}  // namespace button_records

#endif

// Property operations of single widgets. Every one does nothing (and gives
// its "nothing found" answer) for an id that names no used widget.
#include <cstring>

#include "Veltrano_CFont.h"
#include "Veltrano_CTile.h"
#include "Veltrano_IButton.h"
#include "gui/button_state.h"

using namespace button_records;

namespace {

bool HasSteps(const ButtonRecord& record) { return record.type == kTypeSlider || record.type == kTypeProgress; }

bool IsAcceptedState(int state) {
    return state == kStateNormal || state == kStateSelected || state == kStatePressed || state == kStateAction ||
           state == kStateDisabled;
}

// A check button keeps its check state in `range`; disabling saves it in
// `value` and any later state brings it back.
void SetCheckState(ButtonRecord& record, int state) {
    const bool disabled = record.state == kStateDisabled && record.range == kStateDisabled;
    if (state == kStateDisabled) {
        if (record.range != kStateDisabled) record.value = record.range;
        record.range = kStateDisabled;
        record.state = kStateDisabled;
    } else if (disabled) {
        record.range = static_cast<int16_t>(record.value);
        record.state = static_cast<uint8_t>(record.value);
    } else {
        record.range = static_cast<int16_t>(state);
        record.state = static_cast<uint8_t>(state);
    }
}

Veltrano_CTile* OnePicture(ButtonRecord* record, int which) {
    if (record == nullptr) return nullptr;
    Veltrano_CTile** picture = Picture(*record, which);
    return picture != nullptr ? *picture : nullptr;
}

int16_t Clamp16(int v) { return static_cast<int16_t>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v)); }

}  // namespace

void Veltrano_IButton::SetPosition(int id, int x, int y) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr) return;
    record->x = Clamp16(x);
    record->y = Clamp16(y);
    MovePictures(*record);
    SetBox(*record);
}

void Veltrano_IButton::SetVisible(int id, unsigned char on) {
    if (ButtonRecord* record = FindUsed(*state, id)) record->visible = on;
}

void Veltrano_IButton::SetState(int id, char newState) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr || !IsAcceptedState(newState)) return;
    if (record->type == kTypeCheck)
        SetCheckState(*record, newState);
    else
        record->state = static_cast<uint8_t>(newState);
}

int Veltrano_IButton::GetState(int id) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr) return -1;
    return record->type == kTypeCheck ? record->range : record->state;
}

void Veltrano_IButton::SetValue(int id, int value) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr || !HasSteps(*record)) return;
    record->value = value > record->range ? record->range : (value < 0 ? 0 : value);
}

int Veltrano_IButton::GetValue(int id) {
    ButtonRecord* record = FindUsed(*state, id);
    return record != nullptr && HasSteps(*record) ? record->value : -1;
}

int Veltrano_IButton::GetRange(int id) {
    ButtonRecord* record = FindUsed(*state, id);
    return record != nullptr && HasSteps(*record) ? record->range : -1;
}

void Veltrano_IButton::SetKey(int id, int key) {
    ButtonRecord* record = FindUsed(*state, id);
    // Keys index SDL's key table; codes outside it are refused.
    if (record != nullptr && key >= 0 && key <= kHighestKey) record->key = static_cast<uint16_t>(key);
}

int Veltrano_IButton::GetKey(int id) {
    ButtonRecord* record = FindUsed(*state, id);
    return record != nullptr ? record->key : 0;
}

void Veltrano_IButton::SetMouseButtons(int id, int mask) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record != nullptr && mask >= 1 && mask <= 7) record->mouseMask = static_cast<uint32_t>(mask);
}

int Veltrano_IButton::GetMouseButtons(int id) {
    ButtonRecord* record = FindUsed(*state, id);
    return record != nullptr ? static_cast<int>(record->mouseMask) : -1;
}

void Veltrano_IButton::SetColorSelect(int id, int r, int g, int b) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr || record->tileNormal == nullptr) return;
    SDL_Surface* surface = record->tileNormal->GetSurface();
    if (surface == nullptr) return;
    record->selectColor = SDL_MapRGB(surface->format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b));
}

void Veltrano_IButton::SetColorSelect(int id, int pixel) {
    if (ButtonRecord* record = FindUsed(*state, id)) record->selectColor = static_cast<uint32_t>(pixel);
}

int Veltrano_IButton::GetColorSelect(int id) {
    ButtonRecord* record = FindUsed(*state, id);
    return record != nullptr ? static_cast<int>(record->selectColor) : 0;
}

void Veltrano_IButton::SetFunction(int id, void (*fn)(void*, void*), void* userData1, void* userData2) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr) return;
    record->callback = fn;
    record->userData1 = userData1;
    record->userData2 = userData2;
}

void Veltrano_IButton::SetAlpha(int id, int which, int alpha) {
    if (ButtonRecord* record = FindUsed(*state, id))
        ForEachPicture(*record, which, [alpha](Veltrano_CTile* tile) { tile->SetAlpha(alpha); });
}

int Veltrano_IButton::GetAlpha(int id, int which) {
    Veltrano_CTile* tile = OnePicture(FindUsed(*state, id), which);
    return tile != nullptr ? tile->GetAlpha() : -1;
}

void Veltrano_IButton::SetColorKey(int id, int which, int key) {
    if (ButtonRecord* record = FindUsed(*state, id))
        ForEachPicture(*record, which, [key](Veltrano_CTile* tile) { tile->SetColorKey(key); });
}

void Veltrano_IButton::SetColorKey(int id, int which, int r, int g, int b) {
    if (ButtonRecord* record = FindUsed(*state, id))
        ForEachPicture(*record, which, [r, g, b](Veltrano_CTile* tile) { tile->SetColorKey(r, g, b); });
}

int Veltrano_IButton::GetColorKey(int id, int which) {
    Veltrano_CTile* tile = OnePicture(FindUsed(*state, id), which);
    return tile != nullptr ? tile->GetColorKey() : -1;
}

SDL_Surface* Veltrano_IButton::GetSurface(int id, int which) {
    Veltrano_CTile* tile = OnePicture(FindUsed(*state, id), which);
    return tile != nullptr ? tile->GetSurface() : nullptr;
}

void Veltrano_IButton::SetTextFont(int id, Veltrano_CFont* font) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr || record->type != kTypeInput || font == nullptr) return;
    record->font = font;
    if (record->textY != 0 || record->tileNormal == nullptr) return;
    // Centre the text vertically when no margin was given.
    const int h = record->tileNormal->GetSizeY();
    record->textY = static_cast<int16_t>((h - font->StringHeight()) / 2 + 1);
    record->textH = static_cast<int16_t>(h - 2 * record->textY + 1);
}

void Veltrano_IButton::ForgetFont(Veltrano_CFont* font) {
    for (ButtonRecord& master : state->masters)
        if (master.font == font) master.font = nullptr;
    for (auto& layer : state->layers)
        for (ButtonRecord& record : layer)
            if (record.font == font) record.font = nullptr;
}

void Veltrano_IButton::SetTextRect(int id, SDL_Rect* rect) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr || record->type != kTypeInput || rect == nullptr) return;
    record->textX = rect->x;
    record->textY = rect->y;
    record->textW = static_cast<int16_t>(rect->w);
    record->textH = static_cast<int16_t>(rect->h);
}

void Veltrano_IButton::SetText(int id, const char* text) {
    ButtonRecord* record = FindUsed(*state, id);
    if (record == nullptr || record->type != kTypeInput || record->font == nullptr || text == nullptr) return;
    std::strncpy(record->text, text, kTextCapacity - 1);
    record->text[kTextCapacity - 1] = '\0';
    const int limit = record->textW - record->font->StringWidth("m");
    size_t length = std::strlen(record->text);
    while (length > 0 && record->font->StringWidth(record->text) > limit) record->text[--length] = '\0';
}

char* Veltrano_IButton::GetText(int id) {
    ButtonRecord* record = FindUsed(*state, id);
    return record != nullptr && record->type == kTypeInput ? record->text : nullptr;
}

void Veltrano_IButton::SetName(int id, const char* name) {
    ButtonRecord* record = Find(*state, id);
    if (record == nullptr || name == nullptr) return;
    // A longer name is cut to the field.
    std::strncpy(record->name, name, sizeof record->name - 1);
    record->name[sizeof record->name - 1] = '\0';
}

char* Veltrano_IButton::GetName(int id) {
    ButtonRecord* record = Find(*state, id);
    return record != nullptr ? record->name : nullptr;
}

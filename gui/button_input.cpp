// The input check of every logic frame (mouse box, mouse mask, click on
// release, activation keys with repeat) and the queries that read its result.
#include <cstdint>

#include "Veltrano_IButton.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/clock.h"
#include "gui/button_state.h"

using namespace button_records;

namespace {

// A held activation key fires once per this many milliseconds.
constexpr uint32_t kKeyRepeatMs = 120;

bool ReactsToKey(int type) {
    return type == kTypeNormal || type == kTypeIcon || type == kTypeComplex || type == kTypeCheck;
}

void ApplyMouse(ButtonRecord& record) {
    if (!MouseInside(record, Veltrano.mouseX, Veltrano.mouseY)) return;
    record.state = kStateSelected;
    const uint32_t mask = record.mouseMask;
    const bool downNow = (Veltrano.mouseButtons & mask) != 0;
    const bool downBefore = (Veltrano.mousePrevButtons & mask) != 0;
    // Input boxes are only ever selected: they take the keyboard, not clicks.
    if (record.type == kTypeInput) return;
    if (!downNow && downBefore) {
        record.state = kStateAction;
        record.actionPending = 1;
    } else if (downNow) {
        record.state = kStatePressed;
        if (record.type == kTypeSlider) Veltrano.RenderNeeded(1);
    }
}

void ApplyKey(ButtonRecord& record, bool inputActive) {
    if (record.key == 0 || inputActive || !Veltrano.GetKeystate(record.key)) {
        record.keyTick = 0;
        return;
    }
    const uint32_t now = clock_source::Ticks();
    if (record.keyTick == 0) record.keyTick = now;
    if (static_cast<uint64_t>(record.keyTick) + kKeyRepeatMs >= now) {
        record.state = kStatePressed;
    } else {
        record.state = kStateAction;
        record.keyTick = 0;
    }
}

bool UnderMouse(const ButtonRecord& record) {
    if (record.state == kStateSelected || record.state == kStatePressed) return true;
    return record.state == kStateDisabled && MouseInside(record, Veltrano.mouseX, Veltrano.mouseY);
}

int IdOf(const ButtonRecord* record) { return record != nullptr ? record->id : -1; }

}  // namespace

void Veltrano_IButton::Update() {
    const bool inputActive = state->inputActive != 0;
    ForEachActive(*state, [inputActive](ButtonRecord& record) {
        if (record.state == kStateDisabled) return;
        record.lastState = record.state;
        record.state = kStateNormal;
        ApplyMouse(record);
        if (ReactsToKey(record.type)) ApplyKey(record, inputActive);
        if (record.state != record.lastState) Veltrano.RenderNeeded(1);
    });
}

int Veltrano_IButton::Check() {
    if (Veltrano.screen == nullptr) {
        ILogSystem.Msg(0, " . [IButton->Draw()] Error: Veltrano.screen was not initialized.\n");
        return -1;
    }
    return IdOf(FirstActive(*state, [](const ButtonRecord& record) { return record.state == kStateAction; }));
}

int Veltrano_IButton::WhoIsSelected() { return IdOf(FirstActive(*state, UnderMouse)); }

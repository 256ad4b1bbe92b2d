// Drawing every visible widget by its state and type: select boxes, check
// pictures, slider bars and knobs, progress cells, input boxes with typing,
// and the callbacks of widgets the mouse activated. Missing pictures (clones
// whose master was removed) are skipped.
#include <cstring>

#include "Veltrano_CFont.h"
#include "Veltrano_CTile.h"
#include "Veltrano_IButton.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IPrimitives.h"
#include "Veltrano_Main.h"
#include "core/clock.h"
#include "gui/button_state.h"

using namespace button_records;

namespace {

// Typed keys repeat in an input box after this many milliseconds.
constexpr int kTypingDelayMs = 150;
constexpr int kKeyDelete = 127;
constexpr int kKeyBackspace = 8;
// The editing cursor shows for the first half of every second.
constexpr uint32_t kBlinkPeriodMs = 1000;
constexpr uint32_t kBlinkOnMs = 500;

void DrawAt(Veltrano_CTile* tile, int x, int y) {
    if (tile == nullptr) return;
    tile->SetPosition(x, y);
    tile->Draw(nullptr, 0);
}

void DrawOwn(Veltrano_CTile* tile, const ButtonRecord& record) { DrawAt(tile, record.x, record.y); }

// One draw's shared data: whether an input box took the keyboard, and the id
// of the last widget that fired.
struct DrawPass {
    uint8_t& inputActive;
    int result;
};

// Runs the callback of a pending mouse activation; the widget is reported
// either way.
void Fire(ButtonRecord& record, DrawPass& pass) {
    if (record.actionPending) {
        if (record.callback != nullptr) record.callback(record.userData1, record.userData2);
        record.actionPending = 0;
    }
    pass.result = record.id;
}

void DrawSelectBox(const ButtonRecord& record) {
    if (record.selectColor == 0 || IPrimitives == nullptr) return;
    IPrimitives->RectangleColor(Veltrano.screen, record.boxX1, record.boxY1, record.boxX2, record.boxY2,
                                record.selectColor);
}

void DrawButton(ButtonRecord& record, DrawPass& pass) {
    switch (record.state) {
        case kStateNormal: DrawOwn(record.tileNormal, record); break;
        case kStateSelected:
            if (record.type == kTypeComplex) {
                DrawOwn(record.tileSelected, record);
            } else {
                DrawOwn(record.tileNormal, record);
                DrawSelectBox(record);
            }
            break;
        case kStatePressed: DrawOwn(record.tilePressed, record); break;
        case kStateAction:
            Fire(record, pass);
            DrawOwn(record.tileNormal, record);
            break;
        case kStateDisabled: DrawOwn(record.tileOff, record); break;
        default: break;
    }
}

// The knob's offset along the bar for the record's value; a range of 0
// leaves the knob at the start.
int KnobOffset(const ButtonRecord& record, int barWidth, int knobWidth) {
    if (record.range <= 0) return 0;
    return (barWidth - 2 * kSliderEnd - knobWidth) * record.value / record.range;
}

// The step under the mouse, rounded at half steps; kept within 0..range.
int ValueFromMouse(const ButtonRecord& record, int barX, int barWidth) {
    const int track = barWidth - 2 * kSliderEnd;
    if (record.range <= 0 || track <= 0) return 0;
    const float step = static_cast<float>(track) / record.range;
    const int p = static_cast<int>(Veltrano.mouseX - barX - kSliderEnd + static_cast<int>(step) * 0.5);
    const int value = record.range * p / track;
    return value < 0 ? 0 : (value > record.range ? record.range : value);
}

void DrawSlider(ButtonRecord& record, DrawPass& pass) {
    if (record.state == kStateDisabled) {
        DrawOwn(record.tileOff, record);
        return;
    }
    if (record.state == kStateAction) Fire(record, pass);
    Veltrano_CTile* bar = record.tileNormal;
    Veltrano_CTile* knob = record.tilePressed;
    if (bar == nullptr || knob == nullptr) return;
    DrawOwn(bar, record);
    const int bx = bar->GetPosX(), by = bar->GetPosY();
    const int w = bar->GetSizeX(), h = bar->GetSizeY();
    if (record.state == kStatePressed) record.value = ValueFromMouse(record, bx, w);
    DrawAt(knob, bx + kSliderEnd + KnobOffset(record, w, knob->GetSizeX()), by + h / 2 - knob->GetSizeY() / 2);
}

// `range` cells from the picture's position, each as wide as the normal picture.
void DrawCells(ButtonRecord& record, Veltrano_CTile* filled, Veltrano_CTile* empty, int filledCount) {
    if (record.tileNormal == nullptr || filled == nullptr || empty == nullptr) return;
    const int x0 = filled->GetPosX(), y0 = filled->GetPosY();
    const int width = record.tileNormal->GetSizeX();
    for (int k = 0; k < record.range; ++k) DrawAt(k < filledCount ? filled : empty, x0 + k * width, y0);
    filled->SetPosition(x0, y0);
    empty->SetPosition(x0, y0);
}

void DrawProgress(ButtonRecord& record) {
    switch (record.state) {
        case kStateNormal: DrawCells(record, record.tileNormal, record.tilePressed, record.value); break;
        case kStateSelected: DrawOwn(record.tileNormal, record); break;
        case kStateDisabled:
            if (record.tileOff != nullptr) record.tileOff->SetPosition(record.x, record.y);
            DrawCells(record, record.tileOff, record.tileOff, record.range);
            break;
        default: break;
    }
}

Veltrano_CTile* CheckPicture(const ButtonRecord& record) {
    return record.range == kStateNormal ? record.tileNormal : record.tilePressed;
}

// The callback runs before the check state changes; this draw still shows
// the state from before the click.
void Toggle(ButtonRecord& record, DrawPass& pass) {
    Veltrano_CTile* picture = CheckPicture(record);
    const bool clicked = record.actionPending != 0;
    Fire(record, pass);
    if (clicked) record.range = record.range == kStateNormal ? kStatePressed : kStateNormal;
    DrawOwn(picture, record);
}

void DrawCheck(ButtonRecord& record, DrawPass& pass) {
    switch (record.state) {
        case kStateNormal: case kStateSelected: case kStatePressed: DrawOwn(CheckPicture(record), record); break;
        case kStateAction: Toggle(record, pass); break;
        case kStateDisabled: DrawOwn(record.tileOff, record); break;
        default: break;
    }
}

SDL_Rect TextClip(const ButtonRecord& record) {
    SDL_Rect clip;
    clip.x = static_cast<Sint16>(record.x + record.textX);
    clip.y = static_cast<Sint16>(record.y + record.textY);
    clip.w = static_cast<Uint16>(record.textW < 0 ? 0 : record.textW);
    clip.h = static_cast<Uint16>(record.textH < 0 ? 0 : record.textH);
    return clip;
}

void DrawIdleBox(ButtonRecord& record, const DrawPass& pass) {
    if (!pass.inputActive) Veltrano.RenderNeeded(0);
    DrawOwn(record.tileNormal, record);
    if (record.font == nullptr) return;
    SDL_Rect clip = TextClip(record);
    record.font->PutString(Veltrano.screen, clip.x, clip.y, record.text, &clip);
}

// One typed key: Delete or Backspace removes the last character, a printable
// key is appended while the text stays short enough to fit.
void EditText(ButtonRecord& record, int c) {
    size_t length = std::strlen(record.text);
    if ((c == kKeyDelete || c == kKeyBackspace) && length > 0) record.text[--length] = '\0';
    if (length >= kTextCapacity - 1) return;
    const char* typed = Veltrano.GetKeyName(c);
    if (typed == nullptr) return;
    Veltrano_CFont* font = record.font;
    const int width = static_cast<int>(length) * font->GetKerning() + font->StringWidth(record.text) +
                      font->StringWidth(typed);
    if (width < record.textW - 1) std::strncat(record.text, typed, kTextCapacity - 1 - length);
}

void DrawEditingBox(ButtonRecord& record, DrawPass& pass) {
    // The typed key is taken every draw, so keys typed without a font are
    // not kept for later.
    const int typed = Veltrano.GetKeyPressed(kTypingDelayMs);
    if (record.font != nullptr) EditText(record, typed);
    DrawOwn(record.tilePressed, record);
    if (record.font != nullptr) {
        SDL_Rect clip = TextClip(record);
        const bool cursorOn = clock_source::Ticks() % kBlinkPeriodMs <= kBlinkOnMs;
        record.font->PutStringWithCursor(Veltrano.screen, clip.x, clip.y, record.text,
                                         static_cast<int>(std::strlen(record.text)), &clip, cursorOn ? 1 : 0);
    }
    Veltrano.RenderNeeded(2);
    pass.inputActive = 1;
}

void DrawInputBox(ButtonRecord& record, DrawPass& pass) {
    switch (record.state) {
        case kStateNormal: DrawIdleBox(record, pass); break;
        case kStateSelected: DrawEditingBox(record, pass); break;
        case kStateDisabled: DrawOwn(record.tileOff, record); break;
        default: break;
    }
}

void DrawWidget(ButtonRecord& record, DrawPass& pass) {
    switch (record.type) {
        case kTypeSlider: DrawSlider(record, pass); break;
        case kTypeProgress: DrawProgress(record); break;
        case kTypeCheck: DrawCheck(record, pass); break;
        case kTypeInput: DrawInputBox(record, pass); break;
        default: DrawButton(record, pass); break;
    }
}

}  // namespace

int Veltrano_IButton::Draw() {
    if (Veltrano.screen == nullptr) {
        ILogSystem.Msg(0, " . [IButton->Draw()] Error: Veltrano.screen was not initialized.\n");
        return -1;
    }
    if (!Veltrano.IsRenderNeeded()) return -1;
    state->inputActive = 0;
    DrawPass pass{state->inputActive, -1};
    ForEachActive(*state, [&pass](ButtonRecord& record) { DrawWidget(record, pass); });
    return pass.result;
}

// Measuring and drawing text: one blit per glyph cell, clipped on all four
// sides, with the software cursor taken off the screen around each blit.
#include <cstring>

#include "Veltrano_CFont.h"
#include "Veltrano_Main.h"
#include "core/cursor_guard.h"
#include "core/video_surface.h"
#include "fonts/font_state.h"

namespace {

constexpr int kMaxMeasured = 255;  // StringWidth looks at no more characters

// A glyph cell on its way to the target, in plain integers so that neither
// clipping nor a long line can wrap SDL's 16-bit rectangle fields.
struct GlyphBlit {
    int srcX, srcY, dstX, dstY, w, h;
};

GlyphBlit CellAt(const FontState& font, unsigned char code, int x, int y) {
    const int cell = code - FontState::kFirstGlyph;
    const int sourceWidth = font.positions[cell + 1] - font.positions[cell];
    return {font.positions[cell], 1, x - (sourceWidth - font.widths[cell]) / 2, y, sourceWidth, font.glyphHeight};
}

// Cuts destination and source alike; sizes never go below 0.
void ClipTo(GlyphBlit& blit, const SDL_Rect& clip) {
    const int left = clip.x, top = clip.y, right = clip.x + clip.w, bottom = clip.y + clip.h;
    if (blit.dstX < left) {
        const int cut = left - blit.dstX;
        blit.dstX += cut;
        blit.srcX += cut;
        blit.w -= cut;
    }
    if (blit.dstY < top) {
        const int cut = top - blit.dstY;
        blit.dstY += cut;
        blit.srcY += cut;
        blit.h -= cut;
    }
    if (blit.dstX + blit.w > right) blit.w = right - blit.dstX;
    if (blit.dstY + blit.h > bottom) blit.h = bottom - blit.dstY;
    if (blit.w < 0) blit.w = 0;
    if (blit.h < 0) blit.h = 0;
}

bool FitsRect(int value) { return value >= -32768 && value <= 32767; }

// The cell clipped and in SDL's rectangles; false when nothing is left to
// draw or the cell lies beyond what SDL's 16-bit rectangles can hold.
bool ClippedRects(GlyphBlit blit, const SDL_Rect* clip, SDL_Rect& source, SDL_Rect& destination) {
    if (clip != nullptr) ClipTo(blit, *clip);
    if (blit.w <= 0 || blit.h <= 0 || !FitsRect(blit.dstX) || !FitsRect(blit.dstY)) return false;
    source = {static_cast<Sint16>(blit.srcX), static_cast<Sint16>(blit.srcY), static_cast<Uint16>(blit.w),
              static_cast<Uint16>(blit.h)};
    destination = {static_cast<Sint16>(blit.dstX), static_cast<Sint16>(blit.dstY), source.w, source.h};
    return true;
}

}  // namespace

void Veltrano_CFont::BlitCell(SDL_Surface* target, SDL_Rect* source, SDL_Rect* destination, bool cursorAnywhere) {
    CursorGuard cursorOff(target, cursorAnywhere ? nullptr : destination);
    video_surface::BlitRestoringLostSurface(state->surface, source, target, destination, state->backup);
}

void Veltrano_CFont::PutString(SDL_Surface* target, int x, int y, const char* text, SDL_Rect* clip) {
    FontState& font = *state;
    if (!font.loaded || target == nullptr || text == nullptr) return;
    for (const char* p = text; *p != '\0'; ++p) {
        const auto code = static_cast<unsigned char>(*p);
        if (!font.IsGlyph(code)) {
            x += font.Advance(code);
            continue;
        }
        SDL_Rect source, destination;
        if (ClippedRects(CellAt(font, code, x, y), clip, source, destination))
            BlitCell(target, &source, &destination, false);
        x += font.Advance(code) + font.kerning;
    }
}

void Veltrano_CFont::PutStringWithCursor(SDL_Surface* target, int x, int y, const char* text, int cursorPos,
                                         SDL_Rect* clip, unsigned char showCursor) {
    FontState& font = *state;
    if (!font.loaded || target == nullptr || text == nullptr) return;
    const auto cursor = static_cast<unsigned char>(font.cursorChar);
    if (showCursor != 0 && font.IsGlyph(cursor)) {
        // The pen position after cursorPos characters, never past the text.
        int penX = x;
        for (int i = 0; i < cursorPos && text[i] != '\0'; ++i) {
            const auto code = static_cast<unsigned char>(text[i]);
            penX += font.Advance(code) + (font.IsGlyph(code) ? font.kerning : 0);
        }
        GlyphBlit blit = CellAt(font, cursor, penX, y);
        blit.dstX += -font.cursorOffset + 2;
        SDL_Rect source, destination;
        if (ClippedRects(blit, clip, source, destination)) BlitCell(target, &source, &destination, true);
    }
    PutString(target, x, y, text, clip);
}

void Veltrano_CFont::PutStringXCenter(SDL_Surface* target, int y, const char* text, SDL_Rect* clip) {
    if (!state->loaded || target == nullptr) return;
    PutString(target, target->w / 2 - StringWidth(text) / 2, y, text, clip);
}

void Veltrano_CFont::PutStringYCenter(SDL_Surface* target, int x, const char* text, SDL_Rect* clip) {
    if (!state->loaded || target == nullptr) return;
    PutString(target, x, target->h / 2 - state->surface->h / 2, text, clip);
}

int Veltrano_CFont::StringWidth(const char* text) {
    const FontState& font = *state;
    if (!font.loaded || text == nullptr) return 0;
    int width = 0;
    for (int i = 0; i < kMaxMeasured && text[i] != '\0'; ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        width += font.Advance(code);
        if (font.IsGlyph(code) && text[i + 1] != '\0') width += font.kerning;
    }
    return width;
}

int Veltrano_CFont::StringHeight() { return state->loaded ? state->surface->h - 1 : 0; }

int Veltrano_CFont::SetCursorAt(const char* text, int pixelX) {
    const FontState& font = *state;
    if (!font.loaded || text == nullptr || pixelX <= 0) return 0;
    int before = 0;
    int index = 0;
    for (; text[index] != '\0'; ++index) {
        const int after = before + font.Advance(static_cast<unsigned char>(text[index]));
        if ((before + after) / 2 > pixelX) return index;
        before = after;
    }
    return index;
}

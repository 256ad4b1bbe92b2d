// The private record of a Veltrano_CFont and the character rules every text
// operation shares.
#ifndef VELTRANO_FONTS_FONT_STATE_H
#define VELTRANO_FONTS_FONT_STATE_H

#include <SDL.h>

#include <cstdint>
#include <vector>

struct FontState {
    static constexpr int kCells = 96;  // 95 gap centres and the image width
    static constexpr int kFirstGlyph = 33;  // '!'
    static constexpr int kLastGlyph = 127;  // highest code drawn: cells 0..94
    static constexpr int kBuiltCode = 96;   // Create's success result
    static constexpr int kRefused = 255;    // Create's and Test's refusal

    int alpha = 255;
    int glyphHeight = 0;
    SDL_Surface* surface = nullptr;
    std::vector<int> positions;  // gap centres, then the image width
    std::vector<int> widths;     // advance of code 33 + k
    int lastChar = 0;
    int spaceWidth = 0;
    int cursorOffset = 0;
    uint32_t colorKey = 0;
    bool loaded = false;
    bool perPixelAlpha = false;
    int kerning = 0;
    char name[32] = "Created on execution time";
    char cursorChar = '|';
    std::vector<uint8_t> backup;

    // Whether code (0..255) has a glyph cell in this font.
    bool IsGlyph(unsigned char code) const { return code >= kFirstGlyph && code <= lastChar; }
    // Pixels the pen moves for code, kerning aside: control characters and
    // bytes above 127 move nothing.
    int Advance(unsigned char code) const {
        if (code == ' ') return spaceWidth;
        return IsGlyph(code) ? widths[code - kFirstGlyph] : 0;
    }
};

namespace font_codes {

// A failure count as a result byte: counts that do not fit, and counts that
// would read as the success code, become 255.
inline unsigned char FailureCode(long count, int successCode) {
    if (count <= 0 || count >= FontState::kRefused || count == successCode) return FontState::kRefused;
    return static_cast<unsigned char>(count);
}

}  // namespace font_codes

#endif

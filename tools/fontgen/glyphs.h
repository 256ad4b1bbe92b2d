// The built-in font's glyphs, drawn on a grid of nine rows: rows 0 to 6 from
// the capital height down to the base line, rows 7 and 8 for descenders.
#ifndef VELTRANO_FONTGEN_GLYPHS_H
#define VELTRANO_FONTGEN_GLYPHS_H

constexpr int kGlyphRows = 9;

// '#' is ink, '.' is background; rows may be left out (null) when blank.
// A glyph is as wide as its longest row.
struct Glyph {
    char code;
    const char* rows[kGlyphRows];
};

// The 94 printable characters from '!' to '~', in order.
extern const Glyph kGlyphs[94];

#endif

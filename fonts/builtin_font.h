// The SDK's built-in font: an 899 x 14, 24-bit PNG of the printable ASCII
// characters, white on black, laid out so that Veltrano_CFont::Create cuts it.
// Drawn by tools/fontgen; the console builds its font from these bytes.
#ifndef VELTRANO_FONTS_BUILTIN_FONT_H
#define VELTRANO_FONTS_BUILTIN_FONT_H

namespace builtin_font {

struct PngBytes {
    const unsigned char* data;
    int size;
};

// The PNG file's bytes, for IImage->LoadPNG(data, size).
PngBytes Png();

}  // namespace builtin_font

#endif

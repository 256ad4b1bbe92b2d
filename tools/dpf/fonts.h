// Fonts in archives: font bitmaps (PNG or BMP) checked, cut and stored as
// "FONT2" blocks through the SDK's own font class, their size and glyphs
// shown in listings, and font blocks written back out as PNG.
#ifndef VELTRANO_DPF_FONTS_H
#define VELTRANO_DPF_FONTS_H

#include <string>

#include "archive_session.h"

constexpr char kFontBlockType[] = "FONT2";
constexpr char kVersion1FontBlockType[] = "FONT";

// Checks the bitmap, cuts it and adds it as the FONT2 block name. When it
// cannot be cut, says why and leaves "FontWithErrors.bmp" (its gaps marked)
// in the working folder.
bool AddFontFile(ArchiveSession& archive, const std::string& path, const std::string& name);

// "font WIDTHxHEIGHT, N glyphs, kerning K" of a FONT2 block, a note for a
// version 1 FONT block, or "" for other blocks and fonts that do not load.
std::string FontDescription(ArchiveSession& archive, const BlockEntry& block);

// Writes the FONT2 block's bitmap as a PNG file at path.
bool ExtractFontAsPng(ArchiveSession& archive, const BlockEntry& block, const std::string& path);

#endif

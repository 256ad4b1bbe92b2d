#include "fonts.h"

#include <veltrano.h>

#include "images.h"
#include "messages.h"

namespace {

constexpr int kGlyphs = 94;
constexpr unsigned char kBuilt = 96;
constexpr unsigned char kNoGaps = 255;

// A bitmap that brings its own magenta mark row is cut from it as it is;
// looking for empty columns would only find the marks.
bool CarriesMarkRow(SDL_Surface* image) {
    if (image->format->BitsPerPixel == 8) return false;
    Uint8 r, g, b;
    SDL_GetRGB(IPrimitives->GetPixel(image, 0, 0, 1), image->format, &r, &g, &b);
    return r == 255 && g == 0 && b == 255;
}

// Why Test refused the bitmap, from its result.
void ExplainUncuttable(const std::string& path, unsigned char result) {
    if (result == kNoGaps)
        PrintError("'%s' cannot be cut into a font: it has no glyphs separated by empty columns (or is 8 bits "
                   "per pixel)",
                   path.c_str());
    else
        PrintError("'%s' cannot be cut into a font: about %d glyphs separated by empty columns were found, %d are "
                   "needed ('!' to '~', with an empty first column); the gaps found are marked in magenta in "
                   "FontWithErrors.bmp",
                   path.c_str(), result, kGlyphs);
}

}  // namespace

bool AddFontFile(ArchiveSession& archive, const std::string& path, const std::string& name) {
    SDL_Surface* image = IImage->LoadIMG(path.c_str());
    if (image == nullptr) {
        PrintUnreadablePicture(path);
        return false;
    }
    Veltrano_CFont font;
    const bool marked = CarriesMarkRow(image);
    const unsigned char tested = marked ? 0 : font.Test(image);
    const unsigned char created = tested == 0 ? font.Create(image) : tested;
    SDL_FreeSurface(image);
    if (tested != 0) {
        ExplainUncuttable(path, tested);
        return false;
    }
    if (created != kBuilt) {
        PrintError("'%s' cannot be cut into a font: its mark row gives %d gaps, 95 are needed", path.c_str(),
                   created);
        return false;
    }
    const int stored = font.Save(archive.handle(), name.c_str());
    if (stored == -1) {
        PrintError("the archive already holds a block '%s' of type %s", name.c_str(), kFontBlockType);
        return false;
    }
    if (stored <= 0) {
        PrintError("could not store '%s' as a font block", path.c_str());
        return false;
    }
    const SDL_Surface* surface = font.GetSurface();
    PrintResult("added '%s' (%s, %dx%d, %d glyphs, %d stored)", name.c_str(), kFontBlockType, surface->w,
                font.StringHeight(), kGlyphs, stored);
    return true;
}

std::string FontDescription(ArchiveSession& archive, const BlockEntry& block) {
    if (!archive.unlocked()) return "";
    if (block.type == kVersion1FontBlockType) return "version 1 font (upgraded when a game loads it)";
    if (block.type != kFontBlockType) return "";
    Veltrano_CFont font;
    if (font.Load(archive.handle(), block.name.c_str()) != 1) return "";
    int glyphs = 0;
    for (int code = '!'; code <= '~'; ++code) {
        const char text[2] = {static_cast<char>(code), 0};
        glyphs += font.StringWidth(text) > 1;
    }
    return "font " + std::to_string(font.GetSurface()->w) + "x" + std::to_string(font.StringHeight()) + ", " +
           std::to_string(glyphs) + " glyphs, kerning " + std::to_string(font.GetKerning());
}

bool ExtractFontAsPng(ArchiveSession& archive, const BlockEntry& block, const std::string& path) {
    Veltrano_CFont font;
    if (font.Load(archive.handle(), block.name.c_str()) != 1) {
        PrintError("the block '%s' (%s) is not a font the SDK can read", block.name.c_str(), block.type.c_str());
        return false;
    }
    SDL_Surface* surface = font.GetSurface();
    if (IImage->SavePNG(path.c_str(), surface, 9) != 0) {
        PrintError("cannot write '%s': %s", path.c_str(), SDL_GetError());
        return false;
    }
    PrintResult("extracted '%s' (%s as PNG, %dx%d)", path.c_str(), block.type.c_str(), surface->w, surface->h);
    return true;
}

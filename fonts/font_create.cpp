// Building a font from an image: the gaps between glyphs are marked (or an
// existing mark row is used), the glyph cells and advances are measured, the
// marks are painted over with the background and the surface is put in the
// screen's format.
#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "archive/stored_asset.h"
#include "core/surface_ptr.h"
#include "core/video_surface.h"
#include "imaging/display_format.h"
#include "imaging/stored_sheet.h"
#include "fonts/font_pixels.h"
#include "fonts/font_state.h"

namespace {

constexpr int kGaps = 95;  // before '!', and after each of the 94 glyphs
constexpr int kBarCell = '|' - FontState::kFirstGlyph;
const char kErrorsFile[] = "FontWithErrors.bmp";

// A copy in the image's own format and flags, with its colour key and alpha
// fields. Run-length encoding is left out: the cutter reads single pixels.
SDL_Surface* CopyOf(SDL_Surface* image) {
    SDL_Surface* copy = SDL_ConvertSurface(image, image->format, image->flags & ~SDL_RLEACCEL);
    if (copy == nullptr) return nullptr;
    copy->format->colorkey = image->format->colorkey;
    copy->format->alpha = image->format->alpha;
    return copy;
}

// Walks the runs of mark columns: each gives a gap centre, and each run
// after the first closes the glyph before it. Returns the number of runs;
// only the first kGaps are recorded.
int CutGlyphs(SDL_Surface* surface, FontState& font, int& lastRunStart) {
    int runs = 0;
    int glyphStart = 0;
    int x = 0;
    while (x < surface->w) {
        if (!font_pixels::IsMarkColumn(surface, x)) {
            ++x;
            continue;
        }
        const int runStart = x;
        if (runs > 0 && runs <= kGaps) font.widths[runs - 1] = runStart - glyphStart + 1;
        while (x < surface->w && font_pixels::IsMarkColumn(surface, x)) ++x;
        const int runStop = x < surface->w ? x : surface->w - 1;
        if (runs < kGaps) font.positions[runs] = (runStart + runStop) / 2;
        glyphStart = x;
        lastRunStart = runStart;
        ++runs;
    }
    return runs;
}

void ReplaceMagenta(SDL_Surface* surface, Uint32 background) {
    const Uint32 magenta = font_pixels::Magenta(surface);
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            if (CFontGetPixel(surface, x, y) == magenta) CFontSetPixel(surface, x, y, background);
}

// The advance of a space: that of 'a', else 'A', else '0', else the first cell.
int SpaceWidth(const FontState& font) {
    for (const unsigned char code : {'a', 'A', '0'})
        if (font.Advance(code) != 0) return font.Advance(code);
    return font.positions[1] - font.positions[0];
}

// How far the bar glyph's ink starts from its cell's left edge, plus one,
// measured on the middle row; the text cursor is drawn that much further left.
int CursorOffset(const FontState& font) {
    const int y = font.glyphHeight / 2;
    const int start = font.positions[kBarCell];
    const int limit = font.widths[kBarCell] + 1;
    int count = 0;
    while (count < limit && start + count < font.surface->w &&
           CFontGetPixel(font.surface, start + count, y) == font.colorKey)
        ++count;
    return count + 1;
}

void ApplySurfaceAlpha(FontState& font, SDL_Surface* surface) {
    if (font.alpha < 0) font.alpha = 0;
    if (font.alpha > 255) font.alpha = 255;
    font.perPixelAlpha = display_format::HasPerPixelAlpha(surface);
    if (font.perPixelAlpha) return;
    if (font.alpha == 255)
        SDL_SetAlpha(surface, 0, 255);
    else
        SDL_SetAlpha(surface, SDL_SRCALPHA, static_cast<Uint8>(font.alpha));
}

// Fonts take the screen's format whatever the automatic conversion setting.
void FinishForScreen(FontState& font) {
    if (display_format::DiffersFromScreen(font.surface)) {
        if (font.perPixelAlpha)
            ILogSystem.Msg(5,
                           " . [CFont->Create()] Info: surface with alpha per pixel loaded, it could slow down "
                           "your graphics system.\n");
        font.surface = display_format::ConvertToScreen(font.surface);
        // The key follows the surface into its new format.
        if (!font.perPixelAlpha) font.colorKey = font.surface->format->colorkey;
    }
    if (Veltrano.IsGL()) Veltrano.Surface2Texture(font.surface);
    if (Veltrano.surfaceLossCheck) font.backup = video_surface::BackupPixels(font.surface);
}

}  // namespace

unsigned char Veltrano_CFont::Create(SDL_Surface* image) {
    FontState& font = *state;
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0, " . [CFont::Create()] Error: Veltrano was not initialized. Aborting the font creation.\n");
        return FontState::kRefused;
    }
    if (font.loaded) {
        ILogSystem.Msg(2, " . [CFont::Create()] Warning: font already exists. It is not possible to create another "
                          "one.\n");
        return FontState::kRefused;
    }
    if (image == nullptr) {
        ILogSystem.Msg(0, " . [CFont::Create()] Error: font surface is null\n");
        return FontState::kRefused;
    }
    if (image->format->BitsPerPixel == 8) {
        ILogSystem.Msg(2, " . [CFont::Create()] Warning: 8bits surface loaded is not supported to create a font.\n");
        return FontState::kRefused;
    }
    SurfacePtr owned(CopyOf(image));
    SDL_Surface* copy = owned.get();
    if (copy == nullptr) return FontState::kRefused;
    if (CFontGetPixel(copy, 0, 0) != font_pixels::Magenta(copy)) {
        const int changes = CreateUpperMark(copy);
        if (changes != font_pixels::kWellFormedChanges) {
            return font_codes::FailureCode(changes / 2, FontState::kBuiltCode);
        }
    }
    ApplySurfaceAlpha(font, copy);
    font.glyphHeight = copy->h - 1;
    font.positions.assign(FontState::kCells, 0);
    font.widths.assign(FontState::kCells, 0);
    int lastRunStart = 0;
    const int runs = CutGlyphs(copy, font, lastRunStart);
    if (runs != kGaps) {
        font.positions.clear();
        font.widths.clear();
        font.glyphHeight = 0;
        font.perPixelAlpha = false;
        return font_codes::FailureCode(runs, FontState::kBuiltCode);
    }
    font.positions[kGaps] = copy->w;
    font.widths[kGaps] = copy->w - lastRunStart;
    font.lastChar = FontState::kLastGlyph;

    font.colorKey = CFontGetPixel(copy, 0, font.glyphHeight);
    if (!font.perPixelAlpha) SDL_SetColorKey(copy, SDL_SRCCOLORKEY, font.colorKey);
    ReplaceMagenta(copy, font.colorKey);
    font.surface = owned.release();
    font.spaceWidth = SpaceWidth(font);
    font.cursorOffset = CursorOffset(font);
    FinishForScreen(font);
    font.loaded = true;
    return FontState::kBuiltCode;
}

unsigned char Veltrano_CFont::Create(const char* file) {
    if (file == nullptr) return FontState::kRefused;
    // Refused with Create's own message before any file is read.
    if (!stored_asset::SdkInitialized() || state->loaded) return Create(static_cast<SDL_Surface*>(nullptr));
    const SurfacePtr image(stored_sheet::ReadImageFile(file));
    if (image == nullptr) {
        ILogSystem.Msg(0, " . [CFont::Create('%s')] Error: it was not possible to load the given image file.\n",
                       file);
        return FontState::kRefused;
    }
    return Create(image.get());
}

unsigned char Veltrano_CFont::Test(SDL_Surface* image) {
    if (image == nullptr) return FontState::kRefused;
    if (image->format->BitsPerPixel == 8) {
        ILogSystem.Msg(2, " . [CFont::Test()] Warning: 8bits surface loaded is not supported to create a font.\n");
        return FontState::kRefused;
    }
    const SurfacePtr copy(CopyOf(image));
    if (copy == nullptr) return FontState::kRefused;
    const int changes = CreateUpperMark(copy.get());
    if (changes == font_pixels::kWellFormedChanges) return 0;
    SDL_SaveBMP(copy.get(), kErrorsFile);
    return font_codes::FailureCode(changes / 2, 0);
}

unsigned char Veltrano_CFont::Test(const char* bmpFile) {
    const SurfacePtr image(stored_sheet::ReadImageFile(bmpFile, false));
    if (image == nullptr) return FontState::kRefused;
    return Test(image.get());
}

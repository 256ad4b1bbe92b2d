// The software cursor: lifetime, cursor images and their slots, settings
// and the information dump. Drawing lives in cursor_drawing.cpp.
#include "Veltrano_ICursor.h"

#include <string>

#include "Veltrano_IImage.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IPrimitives.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "core/surface_ptr.h"
#include "core/video_surface.h"
#include "imaging/display_format.h"
#include "imaging/stored_sheet.h"
#include "log/interface_lines.h"
#include "cursor/cursor_hooks.h"
#include "cursor/cursor_state.h"

namespace {

constexpr char kFailed = -1;

const char* const kTypeNames[] = {"Normal", "Hot spot X on width size", "Hot spot Y on height size",
                                  "Hot spot X/Y on width/height sizes", "Center"};

uint8_t LimitType(char type) {
    if (type < 0) return 0;
    return type > 4 ? 4 : static_cast<uint8_t>(type);
}

// The slot's index, or -1 outside 0..31 (as an unsigned number).
int SlotIndex(char slot) {
    const int index = static_cast<unsigned char>(slot);
    return index < CursorState::kSlots ? index : -1;
}

unsigned long Address(const void* pointer) { return reinterpret_cast<unsigned long>(pointer); }

// The cursor image: a copy of the source in its own format, keyed by its
// top-left pixel when the source has neither per-pixel alpha nor a key, and
// in the screen's format.
SDL_Surface* MakeCursorImage(SDL_Surface* source) {
    SurfacePtr copy(SDL_ConvertSurface(source, source->format, source->flags));
    if (copy == nullptr) return nullptr;
    copy->format->colorkey = source->format->colorkey;
    copy->format->alpha = source->format->alpha;
    const bool perPixelAlpha = (source->flags & SDL_SRCALPHA) && source->format->alpha == 255;
    if (!perPixelAlpha && source->format->colorkey == display_format::kNoColorKey)
        SDL_SetColorKey(copy.get(), SDL_SRCCOLORKEY, IPrimitives->GetPixel(copy.get(), 0, 0, 1));
    if (display_format::DiffersFromScreen(copy.get())) {
        const bool alphaCopy = (copy->flags & SDL_SRCALPHA) && copy->format->alpha == 255;
        SDL_Surface* converted = alphaCopy ? SDL_DisplayFormatAlpha(copy.get()) : SDL_DisplayFormat(copy.get());
        if (converted != nullptr) {
            if (alphaCopy) converted->format->alpha = 255;
            copy.reset(converted);
        }
    }
    if (Veltrano.IsGL()) Veltrano.Surface2Texture(copy.get());
    return copy.release();
}

// The surface the screen under a cursor is saved into: the image's size and
// format, opaque, unkeyed, red until something is saved.
SDL_Surface* MakeBackground(SDL_Surface* image) {
    SDL_Surface* background = SDL_ConvertSurface(image, image->format, image->flags);
    if (background == nullptr) return nullptr;
    SDL_SetAlpha(background, 0, 255);
    SDL_SetColorKey(background, 0, 0);
    SDL_FillRect(background, nullptr, SDL_MapRGB(background->format, 255, 0, 0));
    return background;
}

std::string AlphaText(const SDL_Surface* surface) {
    if (!(surface->flags & SDL_SRCALPHA)) return "disabled";
    if (surface->format->alpha == 255) return "per-pixel";
    return "per-surface (" + std::to_string(surface->format->alpha) + ")";
}

std::string ColorKeyText(const SDL_Surface* surface) {
    if (!(surface->flags & SDL_SRCCOLORKEY)) return "disabled\n";
    Uint8 r, g, b;
    SDL_GetRGB(surface->format->colorkey, surface->format, &r, &g, &b);
    return "RGB(" + std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b) + ")\n";
}

}  // namespace

Veltrano_ICursor::Veltrano_ICursor() : state(new CursorState) {
    cursor_hooks::Join(*this);
    LogInterfaceCreated("ICursor");
}

Veltrano_ICursor::~Veltrano_ICursor() {
    Close();
    cursor_hooks::Leave(*this);
    delete state;
    state = nullptr;
    LogInterfaceDeleted("ICursor");
}

void Veltrano_ICursor::Init() {
    SDL_Surface* screen = Veltrano.screen;
    if (screen == nullptr) {
        ILogSystem.Msg(0, " . [ICursor->Init()] Error: Veltrano.screen was not initialized.\n");
        return;
    }
    SDL_ShowCursor(0);
    state->clipMaxX = static_cast<uint16_t>(screen->w);
    state->clipMaxY = static_cast<uint16_t>(screen->h);
    SDL_WarpMouse(static_cast<Uint16>(screen->w / 2), static_cast<Uint16>(screen->h / 2));
    state->autoRestore = !(screen->flags & SDL_DOUBLEBUF) && !Veltrano.IsGL();
    state->initialised = true;
}

char Veltrano_ICursor::Create(SDL_Surface* surface, char type) {
    if (!state->initialised) {
        ILogSystem.Msg(0, " . [ICursor->Create(0x%lx,%d)] Error: ICursor was not initialized.\n", Address(surface),
                       type);
        return kFailed;
    }
    if (surface == nullptr || surface->format == nullptr) return kFailed;
    const uint8_t limited = LimitType(type);
    int slot = 0;
    while (slot < CursorState::kSlots && state->images[slot] != nullptr) ++slot;
    if (slot == CursorState::kSlots) return kFailed;

    SurfacePtr image(MakeCursorImage(surface));
    if (image == nullptr) return kFailed;
    SurfacePtr background;
    if (!Veltrano.IsGL()) {
        background.reset(MakeBackground(image.get()));
        if (background == nullptr) return kFailed;
    }
    state->backups[slot].clear();
    if (Veltrano.surfaceLossCheck) state->backups[slot] = video_surface::BackupPixels(image.get());
    state->images[slot] = image.release();
    state->backgrounds[slot] = background.release();
    state->types[slot] = limited;
    ILogSystem.Msg(5, " . [ICursor->Create(0x%lx,%d)] Info: cursor created.\n", Address(surface), type);
    return static_cast<char>(slot);
}

char Veltrano_ICursor::Create(const char* file, char type) {
    if (!state->initialised) {
        ILogSystem.Msg(0, " . [ICursor->Create('%s',%d)] Error: ICursor was not initialized.\n", file ? file : "",
                       type);
        return kFailed;
    }
    if (file == nullptr) return kFailed;
    const SurfacePtr owned(stored_sheet::ReadImageFile(file));
    SDL_Surface* loaded = owned.get();
    if (loaded == nullptr) {
        ILogSystem.Msg(0, " . [ICursor->Create('%s',%d)] Error: it was not possible to load the given image file.\n",
                       file, type);
        return kFailed;
    }
    if (!display_format::HasPerPixelAlpha(loaded)) {
        SDL_SetColorKey(loaded, SDL_SRCCOLORKEY, IPrimitives->GetPixel(loaded, 0, 0, 1));
        SDL_SetAlpha(loaded, 0, 255);
    }
    return Create(loaded, type);
}

char Veltrano_ICursor::Load(const char* dpfFile, const char* name, char type) {
    if (!state->initialised) {
        ILogSystem.Msg(0, " . [ICursor->Load('%s','%s',%d)] Error: ICursor was not initialized.\n",
                       dpfFile ? dpfFile : "", name ? name : "", type);
        return kFailed;
    }
    if (dpfFile == nullptr || name == nullptr || IImage == nullptr) return kFailed;
    const SurfacePtr loaded(stored_sheet::LoadUnconverted([&] { return IImage->Load(dpfFile, name, nullptr); }));
    return loaded != nullptr ? Create(loaded.get(), type) : kFailed;
}

char Veltrano_ICursor::Load(int dpf, const char* name, char type) {
    if (!state->initialised) {
        const char* file = IStuffDPF != nullptr && dpf > 0 ? IStuffDPF->GetFilename(dpf) : nullptr;
        ILogSystem.Msg(0, " . [ICursor->Load('%s','%s',%d)] Error: ICursor was not initialized.\n", file ? file : "",
                       name ? name : "", type);
        return kFailed;
    }
    if (dpf < 1 || name == nullptr || IImage == nullptr) return kFailed;
    const SurfacePtr loaded(stored_sheet::LoadUnconverted([&] { return IImage->Load(dpf, name, nullptr); }));
    return loaded != nullptr ? Create(loaded.get(), type) : kFailed;
}

void Veltrano_ICursor::Select(char slot) {
    const int index = SlotIndex(slot);
    if (!state->initialised || index < 0 || state->images[index] == nullptr || state->current == index) return;
    RestoreBG(nullptr);
    state->current = static_cast<int8_t>(index);
    state->bgValid = false;  // nothing is saved for this image yet
    Positioning();
    CopyBG();
    state->visible = true;
    state->redraw = true;
}

void Veltrano_ICursor::ChangeType(char slot, char type) {
    const int index = SlotIndex(slot);
    if (!state->initialised || index < 0 || state->images[index] == nullptr) return;
    const uint8_t limited = LimitType(type);
    if (limited == state->types[index]) return;
    RestoreBG(nullptr);
    state->types[index] = limited;
    Positioning();
    CopyBG();
    state->visible = true;
    state->redraw = true;
}

void Veltrano_ICursor::Delete(char slot) {
    const int index = SlotIndex(slot);
    if (index < 0 || state->images[index] == nullptr) return;
    if (state->current == index) {
        // Take the pointer off the screen; nothing is drawn or restored
        // until another cursor is selected.
        RestoreBG(nullptr);
        state->current = -1;
        state->bgValid = false;
    }
    SDL_FreeSurface(state->images[index]);
    state->images[index] = nullptr;
    if (state->backgrounds[index] != nullptr) SDL_FreeSurface(state->backgrounds[index]);
    state->backgrounds[index] = nullptr;
    state->backups[index].clear();
    state->backups[index].shrink_to_fit();
    ILogSystem.Msg(5, " . [ICursor->Delete(%d)] Info: cursor deleted.\n", index);
}

void Veltrano_ICursor::Show() {
    if (!state->initialised) return;
    state->visible = true;
    state->redraw = true;
    Veltrano.RenderNeeded(1);
}

void Veltrano_ICursor::Hide() {
    if (!state->initialised) return;
    // Take the pointer off and forget the background, so no ghost stays and
    // no stale background is painted back later.
    RestoreBG(nullptr);
    state->bgValid = false;
    state->visible = false;
    Veltrano.RenderNeeded(1);
}

void Veltrano_ICursor::SetPosition(int x, int y) {
    if (state->initialised && state->visible) SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
}

void Veltrano_ICursor::ClipRegion(int x, int y, int maxX, int maxY) {
    state->clipX = static_cast<int16_t>(x);
    state->clipY = static_cast<int16_t>(y);
    state->clipMaxX = static_cast<uint16_t>(maxX);
    state->clipMaxY = static_cast<uint16_t>(maxY);
}

void Veltrano_ICursor::SetSmooth(char on) { state->smooth = on != 0; }

void Veltrano_ICursor::AutoRestore(char on) {
    state->autoRestore = on != 0 && !Veltrano.IsGL();
    state->bgValid = false;
    state->redraw = true;
}

void Veltrano_ICursor::Invalidate() {
    if (!state->initialised || !state->visible) return;
    state->bgValid = false;
    CopyBG();
    // Whatever painted over the cursor erased it: draw it again.
    state->redraw = true;
}

void Veltrano_ICursor::Close() {
    SDL_ShowCursor(1);
    for (int slot = 0; slot < CursorState::kSlots; ++slot) Delete(static_cast<char>(slot));
    state->initialised = false;
    state->visible = false;
}

void Veltrano_ICursor::Info() {
    const CursorState& s = *state;
    if (!s.initialised) {
        ILogSystem.Msg(0, "\n . Cursor interface information: not initialized.\n");
        return;
    }
    int loaded = 0;
    for (SDL_Surface* image : s.images) loaded += image != nullptr;
    ILogSystem.Msg(0, "\n . Cursor interface information:\n");
    ILogSystem.Msg(0, "      -> Number of loaded cursors: %d - Auto Restore: %s - Smooth movement: %s\n", loaded,
                   s.autoRestore ? "on" : "off", s.smooth ? "on" : "off");
    ILogSystem.Msg(0, "      -> Current cursor: '%d' - %s mode - Clip region: (%d,%d) to (%d,%d)\n", s.current,
                   s.visible ? "Visible" : "Hidden", s.clipX, s.clipY, s.clipX + s.clipMaxX, s.clipY + s.clipMaxY);
    int number = 0;
    for (int slot = 0; slot < CursorState::kSlots; ++slot) {
        const SDL_Surface* image = s.images[slot];
        if (image == nullptr) continue;
        ILogSystem.Msg(0, "\n      -> Cursor '%d' details:\n", number++);
        ILogSystem.Msg(0, "          + Surface of %d Kb located at %s\n", image->pitch * image->h / 1024,
                       (image->flags & SDL_HWSURFACE) ? "video memory" : "system memory");
        ILogSystem.Msg(0, "          + Cursor size: %dx%d - Type: %s - Color depth: %dbits\n", image->w, image->h,
                       kTypeNames[s.types[slot]], image->format->BitsPerPixel);
        ILogSystem.Msg(0, "          + Alpha blending: %s - Colorkey: %s", AlphaText(image).c_str(),
                       ColorKeyText(image).c_str());
    }
    ILogSystem.Msg(0, "\n");
}

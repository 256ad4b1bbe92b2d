// The core's surface operations: freeing, the cursor-safe screen blit, the
// texture queries and the surface and video information dumps.
#include <cstdio>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/core_state.h"
#include "core/cursor_guard.h"
#include "core/surface_text.h"
#include "platform/gl_textures.h"
#include "core/video_surface.h"

namespace {

const char* YesNo(unsigned int flag) { return flag ? "yes" : "no"; }

std::string SurfaceFlagsText(SDL_Surface* surface) {
    std::string text = platform::SurfaceHasTexture(surface) ? "SDL_OPENGL " : "SDL_SWSURFACE ";
    static const struct {
        Uint32 flag;
        const char* name;
    } kFlags[] = {{SDL_ASYNCBLIT, "SDL_ASYNCBLIT "},     {SDL_FULLSCREEN, "SDL_FULLSCREEN "},
                  {SDL_DOUBLEBUF, "SDL_DOUBLEBUF "},     {SDL_HWACCEL, "SDL_HWACCEL "},
                  {SDL_SRCCOLORKEY, "SDL_SRCCOLORKEY "}, {SDL_RLEACCEL, "SDL_RLEACCEL "},
                  {SDL_SRCALPHA, "SDL_SRCALPHA "}};
    for (const auto& entry : kFlags)
        if (surface->flags & entry.flag) text += entry.name;
    return text;
}

}  // namespace

void Veltrano_Main::FreeSurface(SDL_Surface*& surface) {
    if (surface == nullptr) {
        ILogSystem.Msg(5, " . [Veltrano.FreeSurface()] Warning: an attempt to free a null surface was detected and avoided.\n");
        return;
    }
    SDL_FreeSurface(surface);
    surface = nullptr;
}

int Veltrano_Main::Blit(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect) {
    if (src == nullptr) return SDL_UpperBlit(src, srcRect, dst, dstRect);
    // SDL takes only the position from the target rectangle; the area
    // painted has the source's size.
    SDL_Rect painted{0, 0, static_cast<Uint16>(src->w), static_cast<Uint16>(src->h)};
    if (srcRect != nullptr) {
        painted.w = srcRect->w;
        painted.h = srcRect->h;
    }
    if (dstRect != nullptr) {
        painted.x = dstRect->x;
        painted.y = dstRect->y;
    }
    CursorGuard cursorOff(dst, &painted);
    return SDL_UpperBlit(src, srcRect, dst, dstRect);
}

int Veltrano_Main::IsGL() { return state->openGL ? 1 : 0; }

int Veltrano_Main::IsTexture(SDL_Surface* surface) {
    return surface != nullptr && platform::SurfaceHasTexture(surface) ? 1 : 0;
}

int Veltrano_Main::Surface2Texture(SDL_Surface* surface) {
    if (!state->openGL) return 0;
    if (surface != nullptr && platform::UploadSurfaceTexture(surface))
        video_surface::CountLoadingTimeConversion();
    return 1;
}

int Veltrano_Main::SurfaceAutomaticConversion(int on) {
    video_surface::SetAutomaticConversion(on > 0);
    return 1;
}

void Veltrano_Main::VideoInfo() {
    char driver[20] = "";
    if (SDL_VideoDriverName(driver, sizeof driver) == nullptr) driver[0] = '\0';
    ILogSystem.Msg(0, "\n . Video subsystem info:\n");
    ILogSystem.Msg(0, "   . Renderer: %s\n", driver);
    const SDL_VideoInfo* info = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetVideoInfo() : nullptr;
    if (info != nullptr) {
        ILogSystem.Msg(0, "     -> Video memory: %d Mb\n", static_cast<int>(info->video_mem / 1024));
        ILogSystem.Msg(0, "     -> Hardware surfaces: %s\n", YesNo(info->hw_available));
        ILogSystem.Msg(0, "     -> Hardware color fill: %s\n", YesNo(info->blit_fill));
        ILogSystem.Msg(0, "     -> Hardware normal blits: %s\n", YesNo(info->blit_hw));
        ILogSystem.Msg(0, "     -> Hardware colorkey blits: %s\n", YesNo(info->blit_hw_CC));
        ILogSystem.Msg(0, "     -> Hardware alpha blending blits: %s\n", YesNo(info->blit_hw_A));
    }
    if (screen != nullptr) {
        const bool fullScreen = screen->flags & SDL_FULLSCREEN;
        const char* screenKind = fullScreen ? "full screen" : "window screen";
        ILogSystem.Msg(0, "\n   . Main screen surface info:\n");
        ILogSystem.Msg(0, "     -> Resolution: %d x %d with %d bits.\n", screen->w, screen->h,
                       screen->format->BitsPerPixel);
        if (screen->flags & SDL_HWSURFACE)
            ILogSystem.Msg(0, "     -> Surface is stored on video memory(VRAM) with double-buffer %s and %s.\n",
                           (screen->flags & SDL_DOUBLEBUF) ? "enabled" : "disabled", screenKind);
        else
            ILogSystem.Msg(0, "     -> Surface is stored on system memory(RAM) and %s\n", screenKind);
    }
    ILogSystem.Msg(0, "\n   . Stats:\n");
    ILogSystem.Msg(0, "     -> Surface to Texture conversions: at loading time %d and at running time %d\n",
                   video_surface::LoadingTimeConversions(), platform::RunningTimeTextureUploads());
    ILogSystem.Msg(0, "\n");
}

void Veltrano_Main::SurfaceInfo(SDL_Surface* surface) {
    ILogSystem.Msg(0, "\n . Surface(0x%lx) info:\n", reinterpret_cast<unsigned long>(surface));
    if (surface == nullptr || surface->format == nullptr) return;
    const SDL_PixelFormat* f = surface->format;
    const SDL_Rect& clip = surface->clip_rect;
    ILogSystem.Msg(0, "   -> Flags: %s\n", SurfaceFlagsText(surface).c_str());
    ILogSystem.Msg(0, "   -> Width: %d - Height: %d - Pitch: %d\n", surface->w, surface->h, surface->pitch);
    ILogSystem.Msg(0, "   -> Alpha blending: %s - Colorkey: %s", surface_text::AlphaText(surface).c_str(),
                   surface_text::ColorKeyText(surface).c_str());
    ILogSystem.Msg(0, "   -> Palette: %d - Bits(per each pixel): %d\n", f->palette ? f->palette->ncolors : 0,
                   f->BitsPerPixel);
    ILogSystem.Msg(0, "   -> Mask[%d,%d,%d,%d] - Shift[%d,%d,%d,%d]\n", f->Rmask, f->Gmask, f->Bmask, f->Amask,
                   f->Rshift, f->Gshift, f->Bshift, f->Ashift);
    ILogSystem.Msg(0, "   -> Loss[%d,%d,%d,%d] - Refcount: %d\n", f->Rloss, f->Gloss, f->Bloss, f->Aloss,
                   surface->refcount);
    ILogSystem.Msg(0, "   -> *pixels: %p\n", surface->pixels);
    ILogSystem.Msg(0, "   -> ClipRegion (%d,%d) - (%d,%d)\n", clip.x, clip.y, clip.x + clip.w, clip.y + clip.h);
    ILogSystem.Msg(0, "   -> Lock: %d - FormatV: %d\n", surface->locked, static_cast<int>(surface->format_version));
}

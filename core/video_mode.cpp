// Turns the video settings of the configuration into the SDL screen.
#include <cstdlib>
#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/core_state.h"
#include "core/hooks.h"

namespace {

constexpr unsigned char kRendererAutomatic = 1;
constexpr unsigned char kRendererDirectX = 4;
constexpr unsigned char kRendererOpenGL = 64;

struct Backend {
    unsigned char renderer;
    const char* driver;
    const char* environment;  // put in the environment before video restarts, or null
};

// Checked in this order when the renderer is automatic.
const Backend kBackends[] = {
    {2, "windib", "SDL_VIDEODRIVER=windib"},
    {kRendererDirectX, "directx", "SDL_VIDEODRIVER=directx"},
    {kRendererOpenGL, "glSDL", "SDL_VIDEODRIVER=glSDL"},
    {8, "x11", nullptr},
    {16, "fbcon", nullptr},
    {128, "quartz", nullptr},
};

const Backend* FindBackend(unsigned char renderer) {
    for (const Backend& backend : kBackends)
        if (backend.renderer == renderer) return &backend;
    return nullptr;
}

// The renderer value of the driver SDL chose, or automatic when unknown.
unsigned char CurrentRenderer() {
    char name[20] = "";
    if (SDL_VideoDriverName(name, sizeof name) == nullptr) return kRendererAutomatic;
    for (const Backend& backend : kBackends)
        if (std::strcmp(name, backend.driver) == 0) return backend.renderer;
    return kRendererAutomatic;
}

// Restarts SDL's video with the back-end asked for; false when it fails.
bool RestartVideo(unsigned char renderer) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    const Backend* backend = FindBackend(renderer);
    if (backend != nullptr && backend->environment != nullptr) {
        // putenv keeps the pointer; the texts are static.
        putenv(const_cast<char*>(backend->environment));
        ILogSystem.Msg(5, " . [Veltrano.SetVideoMode()] Info: setting '%s' backend for Win32\n", backend->driver);
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == -1) {
        ILogSystem.Msg(0, " . [Veltrano.SetVideoMode()] Error: could not initialize SDL video system (%d) (%s).\n",
                       renderer, SDL_GetError());
        return false;
    }
    return true;
}

Uint32 AccelerationFlags(const sConfig& config) {
    if (config.accel == 1 && config.renderer == kRendererOpenGL)
        ILogSystem.Msg(2, " . [Veltrano.SetVideoMode()] Warning: using OpenGL on software mode is quite slow.\n");
    if (config.accel == 2) return SDL_HWSURFACE | SDL_DOUBLEBUF;
    if (config.accel == 3) return SDL_HWSURFACE;
    return 0;
}

Uint32 WindowFlags(const sConfig& config) {
    if (config.window == 0) return SDL_FULLSCREEN;
    if (config.window == 2) return SDL_NOFRAME;
    return 0;
}

// Depths SDL handles badly are replaced before the mode is asked for.
void CorrectColorDepth(sConfig& config) {
    if (config.colordepth == 24) {
        ILogSystem.Msg(2, " . [Veltrano.SetVideoMode()] Warning: failed attempt to set a 24bpp video mode.\n"
                          "   It was changed to 32bpp.\n");
        config.colordepth = 32;
    }
    if (config.window == 0 && config.colordepth == 0 && config.renderer != kRendererOpenGL) config.colordepth = 32;
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (config.window != 0 && config.colordepth != 0 && desktop != nullptr && desktop->vfmt != nullptr &&
        config.colordepth != desktop->vfmt->BitsPerPixel)
        ILogSystem.Msg(2, " . [Veltrano.SetVideoMode()] Warning: running on window mode using different color depth "
                          "of your desktop will slow down the application.\n");
}

void WarnAboutObtainedMode(const SDL_Surface* screen, Uint32 requested) {
    const Uint32 got = screen->flags;
    if (screen->format->BitsPerPixel == 24)
        ILogSystem.Msg(2, " . [Veltrano.SetVideoMode()] Warning: your desktop is using 24bpp.\n"
                          "   This color depth mode is very slow and could cause problems. Try to change it or "
                          "to run at fullscreen.\n");
    if ((requested & SDL_HWSURFACE) && !(got & SDL_HWSURFACE))
        ILogSystem.Msg(2, " . [Veltrano.SetVideoMode()] Warning: running on software mode instead of your "
                          "requested hardware mode.\n");
    if ((requested & SDL_DOUBLEBUF) && !(got & SDL_DOUBLEBUF))
        ILogSystem.Msg(2, " . [Veltrano.SetVideoMode()] Warning: using a single-buffer instead of your requested "
                          "double-buffer.\n");
    if (!(requested & SDL_FULLSCREEN) && (got & SDL_FULLSCREEN))
        ILogSystem.Msg(2, " . [Veltrano.SetVideoMode()] Warning: running on a full screen instead of your "
                          "requested window mode.\n");
    if ((requested & SDL_FULLSCREEN) && !(got & SDL_FULLSCREEN))
        ILogSystem.Msg(2, " . [Veltrano.SetVideoMode()] Warning: running on a window mode instead of your "
                          "requested full screen.\n");
}

}  // namespace

int Veltrano_Main::SetVideoMode() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        ILogSystem.Msg(0, " . [Veltrano.SetVideoMode()] Error: SDL_INIT_VIDEO was not initialized.\n");
        return 0;
    }
    const int cursorVisibility = SDL_ShowCursor(SDL_QUERY);

    if (Config.renderer == kRendererAutomatic) {
        Config.renderer = CurrentRenderer();
    } else {
        // Restarting video frees the screen surface; a failed restart must
        // not leave the core pointing at it.
        screen = nullptr;
        if (!RestartVideo(Config.renderer)) return 0;
    }

    Uint32 flags = AccelerationFlags(Config);
    if (Config.renderer == kRendererOpenGL) Config.colordepth = 0;
    flags |= WindowFlags(Config);

    if (Config.icon != nullptr) SDL_WM_SetIcon(Config.icon, nullptr);
    if (Config.title != nullptr) SDL_WM_SetCaption(Config.title, nullptr);
    CorrectColorDepth(Config);

    screen = SDL_SetVideoMode(Config.resolutionx, Config.resolutiony, Config.colordepth, flags);
    if (screen == nullptr) {
        ILogSystem.Msg(0, " . [Veltrano.SetVideoMode()] Error: Couldn't set video mode %dx%d with %dbpp: %s\n",
                       Config.resolutionx, Config.resolutiony, Config.colordepth, SDL_GetError());
        return 0;
    }

    if (Config.renderer == kRendererDirectX && Config.accel != 1) surfaceLossCheck = 1;
    state->openGL = Config.renderer == kRendererOpenGL;
    WarnAboutObtainedMode(screen, flags);

    hooks::Run(hooks::Phase::VideoModeSet);
    if (screen->flags & SDL_DOUBLEBUF) state->renderNeeded = 2;
    SDL_ShowCursor(cursorVisibility);
    return 1;
}

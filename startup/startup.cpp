// Start-up and shut-down: the one place that names every interface. Init
// creates them in order (each joins the core's hooks as it is created) and
// Quit deletes them in reverse, after the developer windows are gone.
#include <ucl/ucl.h>

#include "console/developer_windows.h"
#include "core/clock.h"
#include "core/core_state.h"
#include "core/hooks.h"
#include "cpu/cpu.h"
#include "veltrano.h"

namespace {

template <typename Interface>
void DeleteInterface(Interface*& pointer) {
    delete pointer;
    pointer = nullptr;
}

}  // namespace

int Veltrano_Main::Init(unsigned int flags) {
    if (RunCpuCheck(nullptr) == 0) return -1;

    if (SDL_Init(flags) != 0) {
        ILogSystem.Msg(0, " . [Veltrano.Init()] Error: Couldn't initialize SDL 1.2: %s\n", SDL_GetError());
        return -1;
    }

    IStuffDPF = new Veltrano_IStuffDPF;
    IImage = new Veltrano_IImage;
    ICursor = new Veltrano_ICursor;
    IPrimitives = new Veltrano_IPrimitives;
    IButton = new Veltrano_IButton;
    IScreenFX = new Veltrano_IScreenFX;
    ITimeSystem = new Veltrano_ITimeSystem;
    INetwork = new Veltrano_INetwork;
    IVideo = new Veltrano_IVideo;
    ISoundFX = new Veltrano_ISoundFX;
    ISoundFX->NoInit();
    developer_windows::Start();

    if (ucl_init() != UCL_E_OK)
        ILogSystem.Msg(0, " . [Veltrano.Init()] Error: UCL failed to initiate\n");

    // The same clock the log's time stamps read, so they count from here.
    initTicks = clock_source::Ticks();
    state->initialized = true;
    ILogSystem.Msg(0, "\n . Veltrano successfully initiated.\n");
    return 1;
}

void Veltrano_Main::Quit() {
    if (!state->initialized) return;

    hooks::Run(hooks::Phase::Shutdown);

    DeleteInterface(ISoundFX);
    DeleteInterface(IVideo);
    DeleteInterface(INetwork);
    DeleteInterface(ITimeSystem);
    DeleteInterface(IScreenFX);
    DeleteInterface(IButton);
    DeleteInterface(IPrimitives);
    DeleteInterface(ICursor);
    DeleteInterface(IImage);
    DeleteInterface(IStuffDPF);

    if (Config.icon != nullptr) {
        SDL_FreeSurface(Config.icon);
        Config.icon = nullptr;
    }
    SDL_Quit();
    screen = nullptr;

    if (tileCount != 0)
        ILogSystem.Msg(2, "\n . [CTiles] Warning! your application have left %d tiles without deleting.", tileCount);
    if (spriteCount != 0)
        ILogSystem.Msg(2, "\n . [CSprites] Warning! your application have left %d sprites without deleting.", spriteCount);
    if (fontCount != 0)
        ILogSystem.Msg(2, "\n . [CFonts] Warning! your application have left %d fonts without deleting.", fontCount);

    ILogSystem.Msg(0, "\n . Veltrano successfully closed.\n\n");
    state->initialized = false;
    // Loaders test initTicks: after Quit they must see an uninitialised SDK.
    initTicks = kTicksNotInitialized;
}

// The core object: construction, start-up, shut-down and version queries.
#include "Veltrano_Main.h"

#include <cstdio>
#include <ucl/ucl.h>

#include "console/developer_windows.h"
#include "core/clock.h"
#include "core/core_state.h"
#include "cpu/cpu.h"
#include "platform/platform.h"
#include "xml/xml_table.h"
#include "veltrano.h"

namespace {

constexpr unsigned int kNotInitialized = 0xFFFFFFFFu;
constexpr char kShortVersion[] = "Veltrano SDK Win32 v5.22";

template <typename Interface>
void DeleteInterface(Interface*& pointer) {
    delete pointer;
    pointer = nullptr;
}

}  // namespace

Veltrano_Main::Veltrano_Main()
    : Config{const_cast<char*>("Veltrano SDK Application"),
             nullptr,
             0,
             1,
             1,
             1,
             0,
             640,
             480,
             0,
             0x8008,
             11025,
             1,
             4096,
             128,
             128},
      screen(nullptr),
      mouseX(0),
      mouseY(0),
      mouseButtons(0),
      mousePrevButtons(0),
      initTicks(kNotInitialized),
      surfaceLossCheck(0),
      tileCount(0),
      spriteCount(0),
      fontCount(0),
      state(new CoreState) {}

Veltrano_Main::~Veltrano_Main() {
    delete[] state->crcTable;
    state->crcTable = nullptr;
    state->crcTableBuilt = false;
    xml_table::ReleaseAll(*state);
    delete state;
    state = nullptr;
}

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

    developer_windows::Destroy(*state);

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
    initTicks = kNotInitialized;
}

void Veltrano_Main::CleanUp() {
    platform::ResetKeyboard();
    platform::ResetMouse();
    for (int32_t& stamp : state->keyTimes) stamp = 0;
    mouseButtons = 0;
    mousePrevButtons = 0;
    if (ITimeSystem != nullptr) ITimeSystem->Init(1);
    state->pacing = PacingState{};
}

void Veltrano_Main::PrintVersion() {
    ILogSystem.Msg(0, "\n . %s\n%s\nCompiled on %s %s\n", state->versionText, state->copyrightText,
                   __DATE__, __TIME__);
}

char* Veltrano_Main::GetVersion() { return state->versionText; }

char* Veltrano_Main::GetCopyright() { return state->copyrightText; }

int Veltrano_Main::RequireVersion(int major, int minor) {
    const long ours = static_cast<long>(state->majorVersion) * 100 + state->minorVersion;
    const long required = static_cast<long>(major) * 100 + minor;
    if (ours >= required) return 1;
    ILogSystem.Msg(0, "\n . [Error] - Found %s and minimum v%d.%d is required.\n\n", kShortVersion, major, minor);
    return 0;
}

int Veltrano_Main::GetCPUName(char* buffer) {
    if (buffer == nullptr) return 0;
    return RunCpuCheck(buffer);
}

void Veltrano_Main::ConPrint(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    ConvPrint(fmt, args);
    va_end(args);
}

void Veltrano_Main::ConvPrint(const char*, va_list) {
    // Console output starts once the console window exists.
}

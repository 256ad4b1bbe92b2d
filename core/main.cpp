// The core object: construction, clean-up and version queries. Init and Quit,
// which create and delete every interface, belong to the start-up code.
#include "Veltrano_Main.h"

#include <cstdio>

#include "Veltrano_ILogSystem.h"
#include "core/core_state.h"
#include "core/hooks.h"
#include "cpu/cpu.h"
#include "platform/platform.h"

namespace {

constexpr char kShortVersion[] = "Veltrano SDK Win32 v5.22";

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
             0x8008,  // audioFormat: only 8 opens 8-bit, so this default opens 16-bit
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
      initTicks(kTicksNotInitialized),
      surfaceLossCheck(0),
      tileCount(0),
      spriteCount(0),
      fontCount(0),
      state(new CoreState) {}

Veltrano_Main::~Veltrano_Main() {
    delete[] state->crcTable;
    state->crcTable = nullptr;
    state->crcTableBuilt = false;
    delete state;
    state = nullptr;
}

void Veltrano_Main::CleanUp() {
    platform::ResetKeyboard();
    platform::ResetMouse();
    for (int32_t& stamp : state->keyTimes) stamp = 0;
    mouseButtons = 0;
    mousePrevButtons = 0;
    hooks::Run(hooks::Phase::CleanUp);
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

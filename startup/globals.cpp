// The SDK's global objects. Both static objects live in this one translation
// unit so that their construction order is fixed: the core first, then the
// log, then the log's environment, which reads the core; destruction runs in
// reverse.
#include "core/clock.h"
#include "log/log_environment.h"
#include "veltrano.h"

VELTRANO_API Veltrano_Main Veltrano;
VELTRANO_API Veltrano_ILogSystem ILogSystem;

VELTRANO_API Veltrano_IStuffDPF* IStuffDPF = nullptr;
VELTRANO_API Veltrano_IImage* IImage = nullptr;
VELTRANO_API Veltrano_ICursor* ICursor = nullptr;
VELTRANO_API Veltrano_IPrimitives* IPrimitives = nullptr;
VELTRANO_API Veltrano_IButton* IButton = nullptr;
VELTRANO_API Veltrano_IScreenFX* IScreenFX = nullptr;
VELTRANO_API Veltrano_ITimeSystem* ITimeSystem = nullptr;
VELTRANO_API Veltrano_INetwork* INetwork = nullptr;
VELTRANO_API Veltrano_IVideo* IVideo = nullptr;
VELTRANO_API Veltrano_ISoundFX* ISoundFX = nullptr;

namespace {

LogEnvironment CoreLogEnvironment() {
    LogEnvironment environment;
    // The SDK's clock, so tests that replace it steer the log's time too.
    environment.ticks = clock_source::Ticks;
    environment.startTicks = [] { return static_cast<uint32_t>(Veltrano.initTicks); };
    environment.version = []() -> const char* { return Veltrano.GetVersion(); };
    environment.copyright = []() -> const char* { return Veltrano.GetCopyright(); };
    environment.consoleSink = [](const char* fmt, va_list args) { Veltrano.ConvPrint(fmt, args); };
    return environment;
}

[[maybe_unused]] const bool logWired = (log_environment::Set(CoreLogEnvironment()), true);

}  // namespace

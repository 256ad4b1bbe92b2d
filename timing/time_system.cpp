#include "Veltrano_ITimeSystem.h"

#include "core/clock.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "log/interface_lines.h"
#include "timing/time_system_hooks.h"

namespace {

constexpr unsigned int kMaxRenderRate = 120;
constexpr unsigned int kMaxLogicRate = 200;
constexpr uint32_t kAveragePeriod = 250;
constexpr uint32_t kSecond = 1000;

}  // namespace

struct TimeSystemState {
    bool ready = false;
    bool warned = false;
    uint32_t now = 0;
    uint32_t start = 0;
    uint32_t renderedTotal = 0;
    uint32_t logicTotal = 0;
    int32_t renderedLastSecond = 0;
    int32_t logicLastSecond = 0;
    float renderedAverage = 0.0f;
    float logicAverage = 0.0f;
    float seconds = 0.0f;
    int32_t desiredRFR = 0;
    int32_t desiredLFR = 0;
    uint32_t renderedThisSecond = 0;
    uint32_t logicThisSecond = 0;
    uint32_t lastSecondMark = 0;
    uint32_t lastAverageMark = 0;

    // Elapsed seconds since Init, counting a zero interval as one millisecond.
    float ElapsedSeconds() const {
        const uint32_t elapsed = now - start;
        return static_cast<float>(elapsed == 0 ? 1 : elapsed) / 1000.0f;
    }
};

Veltrano_ITimeSystem::Veltrano_ITimeSystem() : state(new TimeSystemState) {
    time_system_hooks::Join(*this);
    LogInterfaceCreated("ITimeSystem");
}

Veltrano_ITimeSystem::~Veltrano_ITimeSystem() {
    time_system_hooks::Leave(*this);
    delete state;
    state = nullptr;
    LogInterfaceDeleted("ITimeSystem");
}

void Veltrano_ITimeSystem::Init(int mode) {
    TimeSystemState& s = *state;
    if (mode == 1 && !s.ready) return;
    if (mode != 0 && mode != 1) return;
    if (mode == 0) {
        s.desiredRFR = 0;
        s.desiredLFR = 0;
    }
    s.renderedTotal = s.logicTotal = 0;
    s.renderedLastSecond = s.logicLastSecond = 0;
    s.renderedAverage = s.logicAverage = 0.0f;
    s.renderedThisSecond = s.logicThisSecond = 0;
    s.seconds = 0.0f;
    s.lastSecondMark = s.lastAverageMark = 0;
    s.start = clock_source::Ticks();
    s.now = s.start + 1;
    if (SDL_WasInit(SDL_INIT_TIMER) != 0) {
        s.ready = true;
    } else {
        ILogSystem.Msg(2, " . [ITimeSystem->Init()] Warning: SDL_INIT_TIMER was not initialized.\n");
        s.now = s.start = 0;
    }
}

void Veltrano_ITimeSystem::SetRate(unsigned int rfr, unsigned int lfr) {
    TimeSystemState& s = *state;
    if (!s.ready) return;
    const unsigned int render = rfr > kMaxRenderRate ? kMaxRenderRate : rfr;
    s.desiredRFR = s.renderedLastSecond = static_cast<int32_t>(render);
    s.renderedAverage = static_cast<float>(render);
    const SDL_Surface* screen = Veltrano.screen;
    if (render > 0 && screen != nullptr && (screen->flags & SDL_DOUBLEBUF))
        ILogSystem.Msg(2, " . [ITimeSystem->SetRate(%d,%d)] Warning: doublebuffer screen detected. Use 0 for RFR to "
                          "get the smoothest animation.\n", render, lfr);
    const unsigned int logic = lfr > kMaxLogicRate ? kMaxLogicRate : lfr;
    s.desiredLFR = s.logicLastSecond = static_cast<int32_t>(logic);
    s.logicAverage = static_cast<float>(logic);
}

int Veltrano_ITimeSystem::GetDesiredRFR() { return state->ready ? state->desiredRFR : -1; }

int Veltrano_ITimeSystem::GetDesiredLFR() { return state->ready ? state->desiredLFR : -1; }

float Veltrano_ITimeSystem::GetRFR() { return state->ready ? state->renderedAverage : -1.0f; }

float Veltrano_ITimeSystem::GetLFR() { return state->ready ? state->logicAverage : -1.0f; }

int Veltrano_ITimeSystem::GetCurrentRFR() { return state->ready ? state->renderedLastSecond : -1; }

int Veltrano_ITimeSystem::GetCurrentLFR() { return state->ready ? state->logicLastSecond : -1; }

int Veltrano_ITimeSystem::GetRenderedFrames() {
    return state->ready ? static_cast<int>(state->renderedTotal) : -1;
}

int Veltrano_ITimeSystem::GetLogicFrames() { return state->ready ? static_cast<int>(state->logicTotal) : -1; }

float Veltrano_ITimeSystem::GetSeconds() { return state->ready ? state->ElapsedSeconds() : -1.0f; }

int Veltrano_ITimeSystem::GetTime() { return state->ready ? static_cast<int>(state->now - state->start) : -1; }

int Veltrano_ITimeSystem::GetTimeNow() {
    return state->ready ? static_cast<int>(clock_source::Ticks() - state->start) : -1;
}

void Veltrano_ITimeSystem::Update() {
    TimeSystemState& s = *state;
    if (!s.ready) {
        if (!s.warned)
            ILogSystem.Msg(2, " . [ITimeSystem->Update()] Warning: ITimeSystem was not initialized.\n");
        s.warned = true;
        return;
    }
    s.now = clock_source::Ticks();
    if (s.lastAverageMark + kAveragePeriod < s.now) {
        s.lastAverageMark = s.now;
        s.seconds = s.ElapsedSeconds();
        s.renderedAverage = static_cast<float>(s.renderedTotal) / s.seconds;
        s.logicAverage = static_cast<float>(s.logicTotal) / s.seconds;
    }
    if (s.lastSecondMark + kSecond < s.now) {
        s.lastSecondMark = s.now;
        s.renderedLastSecond = static_cast<int32_t>(s.renderedThisSecond);
        s.logicLastSecond = static_cast<int32_t>(s.logicThisSecond);
        s.renderedThisSecond = s.logicThisSecond = 0;
    }
}

void Veltrano_ITimeSystem::IncRF() {
    if (!state->ready) return;
    ++state->renderedTotal;
    ++state->renderedThisSecond;
}

void Veltrano_ITimeSystem::IncLF() {
    if (!state->ready) return;
    ++state->logicTotal;
    ++state->logicThisSecond;
}

void Veltrano_ITimeSystem::Info() {
    const TimeSystemState& s = *state;
    ILogSystem.Msg(0, "\n . Timer information:\n");
    if (!s.ready) {
        ILogSystem.Msg(0, "      -> ITimeSystem was not initialized.\n");
        return;
    }
    ILogSystem.Msg(0, "      -> Execution time: %.2fs (%d ticks)\n", s.seconds, s.now);
    ILogSystem.Msg(0, "      -> Total Logic Frames: %d - Total Rendering Frames: %d\n", s.logicTotal, s.renderedTotal);
    if (s.desiredRFR == 0)
        ILogSystem.Msg(0, "      -> Rendering Frame Rate: Unlimited - Last second %d - Average %.2f.\n",
                       s.renderedLastSecond, s.renderedAverage);
    else
        ILogSystem.Msg(0, "      -> Rendering Frame Rate: Desired %d - Last second %d - Average %.2f.\n", s.desiredRFR,
                       s.renderedLastSecond, s.renderedAverage);
    if (s.desiredLFR == 0)
        ILogSystem.Msg(0, "      -> Logic Frame Rate: Unlimited - Last second %d - Average %.2f.\n",
                       s.logicLastSecond, s.logicAverage);
    else
        ILogSystem.Msg(0, "      -> Logic Frame Rate: Desired %d - Last second %d - Average %.2f\n", s.desiredLFR,
                       s.logicLastSecond, s.logicAverage);
}

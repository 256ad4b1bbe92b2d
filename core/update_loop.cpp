// The frame loop: one event per call (a test's scripted input before SDL's),
// then logic and render pacing at the rates the time system holds.
#include <cmath>

#include "Veltrano_Main.h"
#include "core/core_state.h"
#include "core/hooks.h"
#include "core/mouse_source.h"
#include "core/scripted_input.h"

namespace {

// The SDK's event type for a pass that handed back no event.
constexpr Uint8 kNoEventType = SDL_USEREVENT + 6;

// A rate of 0, or -1 while no pacing clock is registered, means a frame on
// every pass.
int DesiredLogicRate() {
    hooks::PacingClock* clock = hooks::CurrentPacingClock();
    return clock != nullptr ? clock->DesiredLogicRate() : -1;
}

int DesiredRenderRate() {
    hooks::PacingClock* clock = hooks::CurrentPacingClock();
    return clock != nullptr ? clock->DesiredRenderRate() : -1;
}

int PacingClock() {
    hooks::PacingClock* clock = hooks::CurrentPacingClock();
    return clock != nullptr ? clock->Now() : 0;
}

// Seconds between two clock readings. The clock starts again from zero when
// the time system restarts; an interval that runs backwards then counts as
// none, so no negative frame count can arise.
float ElapsedSeconds(int32_t now, int32_t previous) {
    const int32_t elapsed = now - previous;
    return elapsed > 0 ? static_cast<float>(elapsed) * 0.001f : 0.0f;
}

// Whole frames that cross an integer boundary when step is added to accum.
int WholeFramesOwed(float step, float accum) {
    return static_cast<int>(std::floor(step + accum)) - static_cast<int>(std::floor(accum));
}

}  // namespace

int Veltrano_Main::Update(SDL_Event* event) {
    SDL_Event local;
    SDL_Event* record = event != nullptr ? event : &local;
    // Scripted input of a game's test goes ahead of SDL's own events.
    if (scripted_input::Poll(record) || SDL_PollEvent(record)) {
        hooks::Run(hooks::Phase::Event, record);
        if (event != nullptr) return 1;  // the caller's event; no pacing in this call
    } else {
        record->type = kNoEventType;
        record->user.code = 0;
    }

    PacingState& pacing = state->pacing;
    const int logicRate = DesiredLogicRate();
    if (logicRate <= 0) {
        RunLogicFrame();
    } else {
        if (pacing.logicState == 0) {
            pacing.logicNow = PacingClock();
            pacing.stepSeconds = ElapsedSeconds(pacing.logicNow, pacing.logicPrev);
            pacing.stepFrames = static_cast<float>(logicRate) * pacing.stepSeconds;
            pacing.logicPending = WholeFramesOwed(pacing.stepFrames, pacing.logicAccum);
        }
        if (pacing.logicPending > 0) {
            // Catch-up: one owed logic frame per call, nothing else.
            pacing.logicState = 1;
            --pacing.logicPending;
            RunLogicFrame();
            return 0;
        }
        pacing.logicAccum += pacing.stepFrames;
    }

    if (screen != nullptr) PaceRender(record);

    hooks::Run(hooks::Phase::PassEnd);
    pacing.logicPrev = pacing.logicNow;
    pacing.logicState = 0;
    if (Config.mtfriendly > 0) SDL_Delay(static_cast<Uint32>(Config.mtfriendly));
    return DesiredLogicRate() > 0 ? 1 : 0;
}

void Veltrano_Main::PaceRender(SDL_Event* record) {
    PacingState& pacing = state->pacing;
    const int renderRate = DesiredRenderRate();
    if (renderRate <= 0) {
        RenderFrame(record);
        return;
    }
    pacing.renderNow = PacingClock();
    // The clock starts again from zero when the time system restarts: the
    // last render then lies in the clock's future. Count from the restart,
    // or no frame would be drawn until the clock caught up with it.
    if (pacing.renderNow < pacing.renderPrev) pacing.renderPrev = pacing.renderNow;
    pacing.stepSeconds = ElapsedSeconds(pacing.renderNow, pacing.renderPrev);
    pacing.stepFrames = static_cast<float>(renderRate) * pacing.stepSeconds;
    if (WholeFramesOwed(pacing.stepFrames, pacing.renderAccum) >= 1) {
        RenderFrame(record);
        pacing.renderPrev = pacing.renderNow;
        pacing.renderAccum += pacing.stepFrames;
    }
}

void Veltrano_Main::RunLogicFrame() {
    hooks::Run(hooks::Phase::LogicFrameStart);
    SDL_PumpEvents();
    mousePrevButtons = mouseButtons;
    hooks::Run(hooks::Phase::BeforeInput);
    mouseButtons = mouse_source::State(&mouseX, &mouseY);
    state->keyState = SDL_GetKeyState(nullptr);
    scripted_input::NoteLogicFrame();
    hooks::Run(hooks::Phase::AfterInput);
}

void Veltrano_Main::RenderFrame(SDL_Event* record) {
    if (state->renderCallback != nullptr) {
        state->renderCallback(state->pacing.logicState == 1 ? 1 : 0);
        state->pacing.logicState = 2;
    }
    record->user.code = 1;
    if (state->renderNeeded != 0) hooks::Run(hooks::Phase::RedrawRequested);
    hooks::Run(hooks::Phase::Render);
    SDL_Flip(screen);
    hooks::Run(hooks::Phase::Flipped);
    if (state->renderNeeded == 1) state->renderNeeded = 0;
}

void Veltrano_Main::SetRenderCallback(void (*callback)(int)) { state->renderCallback = callback; }

float Veltrano_Main::GetLogicTime() { return state->pacing.logicAccum; }

void Veltrano_Main::RenderNeeded(int n) {
    if (n <= 0) {
        if (screen != nullptr && !(screen->flags & SDL_DOUBLEBUF)) state->renderNeeded = 0;
    } else if (n == 1) {
        if (state->renderNeeded != 2) state->renderNeeded = 1;
    } else {
        state->renderNeeded = 2;
    }
}

int Veltrano_Main::IsRenderNeeded() { return state->renderNeeded != 0 ? 1 : 0; }

// The frame loop: one SDL event per call, then logic and render pacing at
// the rates the time system holds.
#include <cmath>

#include "console/developer_windows.h"
#include "core/core_state.h"
#include "core/mouse_source.h"
#include "veltrano.h"

namespace {

// The SDK's event type for a pass that handed back no event.
constexpr Uint8 kNoEventType = SDL_USEREVENT + 6;

// A rate of 0, or -1 while the time system is not running, means a frame on
// every pass.
int DesiredLogicRate() { return ITimeSystem != nullptr ? ITimeSystem->GetDesiredLFR() : -1; }

int DesiredRenderRate() { return ITimeSystem != nullptr ? ITimeSystem->GetDesiredRFR() : -1; }

int PacingClock() { return ITimeSystem != nullptr ? ITimeSystem->GetTime() : 0; }

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
    if (SDL_PollEvent(record)) {
        developer_windows::HandleEvent(*state, *record, mouseX, mouseY);
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

    if (ITimeSystem != nullptr) ITimeSystem->Update();
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
    pacing.stepSeconds = ElapsedSeconds(pacing.renderNow, pacing.renderPrev);
    pacing.stepFrames = static_cast<float>(renderRate) * pacing.stepSeconds;
    if (WholeFramesOwed(pacing.stepFrames, pacing.renderAccum) >= 1) {
        RenderFrame(record);
        pacing.renderPrev = pacing.renderNow;
        pacing.renderAccum += pacing.stepFrames;
    }
}

void Veltrano_Main::RunLogicFrame() {
    if (ITimeSystem != nullptr) ITimeSystem->IncLF();
    SDL_PumpEvents();
    mousePrevButtons = mouseButtons;
    if (ICursor != nullptr) ICursor->SaveCoordinates(mouseX, mouseY);
    mouseButtons = mouse_source::State(&mouseX, &mouseY);
    state->keyState = SDL_GetKeyState(nullptr);
    if (IButton != nullptr) IButton->Update();
    developer_windows::LogicStep(*state);
}

void Veltrano_Main::RenderFrame(SDL_Event* record) {
    if (state->renderCallback != nullptr) {
        state->renderCallback(state->pacing.logicState == 1 ? 1 : 0);
        state->pacing.logicState = 2;
    }
    record->user.code = 1;
    if (state->renderNeeded != 0) developer_windows::Draw(*state);
    if (ICursor != nullptr) ICursor->Update();
    SDL_Flip(screen);
    if (ITimeSystem != nullptr) ITimeSystem->IncRF();
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

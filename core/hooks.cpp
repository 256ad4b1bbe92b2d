#include "core/hooks.h"

namespace hooks {
namespace {

// Who takes part in each phase, in calling order. This is the only place the
// order is written.
constexpr Step kSteps[] = {
    {Phase::Shutdown, Role::DeveloperWindows},
    {Phase::VideoModeSet, Role::DeveloperWindows},
    {Phase::Event, Role::DeveloperWindows},
    {Phase::LogicFrameStart, Role::TimeSystem},
    {Phase::BeforeInput, Role::Cursor},
    {Phase::AfterInput, Role::Widgets},
    {Phase::AfterInput, Role::DeveloperWindows},
    {Phase::RedrawRequested, Role::DeveloperWindows},
    {Phase::Render, Role::Cursor},
    {Phase::Flipped, Role::TimeSystem},
    {Phase::PassEnd, Role::TimeSystem},
    {Phase::CleanUp, Role::TimeSystem},
};

constexpr std::size_t kRoleCount = static_cast<std::size_t>(Role::DeveloperWindows) + 1;

Participant* members[kRoleCount] = {};
PacingClock* pacingClock = nullptr;
ScreenCursor* screenCursor = nullptr;

Participant*& Slot(Role role) { return members[static_cast<std::size_t>(role)]; }

}  // namespace

const Step* Steps(std::size_t* count) {
    *count = sizeof kSteps / sizeof kSteps[0];
    return kSteps;
}

void Join(Role role, Participant& participant) { Slot(role) = &participant; }

void Leave(Role role, const Participant& participant) {
    if (Slot(role) == &participant) Slot(role) = nullptr;
}

Participant* Member(Role role) { return Slot(role); }

void Run(Phase phase, const SDL_Event* event) {
    for (const Step& step : kSteps) {
        if (step.phase != phase) continue;
        if (Participant* participant = Slot(step.role)) participant->Take(phase, event);
    }
}

void SetPacingClock(PacingClock* clock) { pacingClock = clock; }

void ClearPacingClock(const PacingClock& clock) {
    if (pacingClock == &clock) pacingClock = nullptr;
}

PacingClock* CurrentPacingClock() { return pacingClock; }

void SetScreenCursor(ScreenCursor* cursor) { screenCursor = cursor; }

void ClearScreenCursor(const ScreenCursor& cursor) {
    if (screenCursor == &cursor) screenCursor = nullptr;
}

ScreenCursor* CurrentScreenCursor() { return screenCursor; }

}  // namespace hooks

// How the layers above the core take part in what the core drives: shut-down,
// a new video mode, each polled event, each logic frame and each render. The
// core runs a phase; the participants registered for it are called in the
// order of the one table in hooks.cpp. The frame loop's pacing clock and the
// software cursor on the screen are registered here too.
#ifndef VELTRANO_CORE_HOOKS_H
#define VELTRANO_CORE_HOOKS_H

#include <SDL.h>

#include <cstddef>

namespace hooks {

enum class Phase {
    Shutdown,         // Quit, before the interfaces are deleted
    VideoModeSet,     // SetVideoMode made a new screen
    Event,            // Update polled an event
    LogicFrameStart,  // a logic frame begins, before the events are pumped
    BeforeInput,      // the mouse and keys of the last frame are about to be replaced
    AfterInput,       // the mouse and keys of this logic frame have been read
    RedrawRequested,  // a render frame on which a redraw was asked for
    Render,           // a render frame, after the game drew, before the flip
    Flipped,          // the rendered frame is on the screen
    PassEnd,          // an Update pass that went through the pacing ends
    CleanUp,          // Veltrano.CleanUp
};

enum class Role { TimeSystem, Cursor, Widgets, DeveloperWindows };

class Participant {
public:
    // event is the polled event in the Event phase and null otherwise.
    virtual void Take(Phase phase, const SDL_Event* event) = 0;

protected:
    ~Participant() = default;
};

// One step of the table: in this phase, this role is called.
struct Step {
    Phase phase;
    Role role;
};

// The whole table, in calling order.
const Step* Steps(std::size_t* count);

// One participant per role; joining replaces the previous one.
void Join(Role role, Participant& participant);
// Leaves only when participant is the one registered for the role.
void Leave(Role role, const Participant& participant);
// The participant of a role, or null.
Participant* Member(Role role);

void Run(Phase phase, const SDL_Event* event = nullptr);

// Where the frame loop reads its desired rates and its clock.
class PacingClock {
public:
    virtual int DesiredLogicRate() = 0;
    virtual int DesiredRenderRate() = 0;
    virtual int Now() = 0;

protected:
    ~PacingClock() = default;
};

// Null: no clock; rates read -1 (a frame on every pass) and the clock 0.
void SetPacingClock(PacingClock* clock);
// Clears the clock only when it is this one.
void ClearPacingClock(const PacingClock& clock);
PacingClock* CurrentPacingClock();

// The software cursor drawn over the screen.
class ScreenCursor {
public:
    // Takes the cursor off where it meets area (null: wherever it is);
    // true when it did.
    virtual bool TakeOff(SDL_Rect* area) = 0;
    // Saves the screen under the cursor again.
    virtual void PutBack() = 0;

protected:
    ~ScreenCursor() = default;
};

void SetScreenCursor(ScreenCursor* cursor);
void ClearScreenCursor(const ScreenCursor& cursor);
ScreenCursor* CurrentScreenCursor();

}  // namespace hooks

#endif

// Scripted key and mouse events for games' tests. Events wait in a queue
// until the frame loop polls them; handing one out updates SDL's key state
// array, the modifier state and the scripted mouse, so what the SDK and the
// game read agrees with the events they get.
#include "core/scripted_input.h"

#include <bitset>
#include <deque>

#include "Veltrano_ILogSystem.h"
#include "core/mouse_source.h"
#include "veltrano_testing.h"

namespace scripted_input {
namespace {

// A test that scripts more than this has run away; the rest is refused.
constexpr std::size_t kMaxPending = 4096;
constexpr int kMaxCoordinate = 0xFFFF;  // SDL's mouse events carry 16 bits

struct Scripted {
    SDL_Event event;
    bool atPointer;  // a button event that takes the pointer's position when handed out
};

// The mouse as the script left it, read by the SDK in place of SDL's.
struct Pointer {
    bool scripted = false;
    mouse_source::StateFunction previous = nullptr;
    int x = 0, y = 0;
    uint8_t buttons = 0;
};

std::deque<Scripted> pending;
bool frameSinceLastEvent = true;
std::bitset<SDLK_LAST> heldKeys;
Pointer pointer;

uint8_t ScriptedMouse(int* x, int* y) {
    if (x != nullptr) *x = pointer.x;
    if (y != nullptr) *y = pointer.y;
    return pointer.buttons;
}

void TakeOverMouse() {
    if (pointer.scripted) return;
    pointer.buttons = 0;
    mouse_source::State(&pointer.x, &pointer.y);
    pointer.previous = mouse_source::SetStateFunction(ScriptedMouse);
    pointer.scripted = true;
}

void GiveBackMouse() {
    if (!pointer.scripted) return;
    mouse_source::SetStateFunction(pointer.previous);
    pointer = Pointer{};
}

void SetKey(SDLKey key, bool down) {
    SDL_GetKeyState(nullptr)[key] = down ? 1 : 0;
    heldKeys[key] = down;
}

void ApplyKey(SDL_KeyboardEvent& key) {
    SetKey(key.keysym.sym, key.type == SDL_KEYDOWN);
    SDL_SetModState(key.keysym.mod);
}

void ApplyMotion(SDL_MouseMotionEvent& motion) {
    motion.xrel = static_cast<Sint16>(motion.x - pointer.x);
    motion.yrel = static_cast<Sint16>(motion.y - pointer.y);
    motion.state = pointer.buttons;
    pointer.x = motion.x;
    pointer.y = motion.y;
}

void ApplyButton(SDL_MouseButtonEvent& button, bool atPointer) {
    if (atPointer) {
        button.x = static_cast<Uint16>(pointer.x);
        button.y = static_cast<Uint16>(pointer.y);
    }
    pointer.x = button.x;
    pointer.y = button.y;
    const uint8_t mask = SDL_BUTTON(button.button);
    pointer.buttons = button.type == SDL_MOUSEBUTTONDOWN ? pointer.buttons | mask : pointer.buttons & ~mask;
}

void Apply(Scripted& scripted) {
    SDL_Event& event = scripted.event;
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: ApplyKey(event.key); break;
        case SDL_MOUSEMOTION: TakeOverMouse(); ApplyMotion(event.motion); break;
        default: TakeOverMouse(); ApplyButton(event.button, scripted.atPointer); break;
    }
}

// Room for count more events; a press and its release are queued together or not at all.
bool Room(std::size_t count, const char* caller) {
    if (pending.size() + count <= kMaxPending) return true;
    ILogSystem.Msg(0, " . [VeltranoTesting::%s()] Error: %d scripted events are waiting already.\n", caller,
                   static_cast<int>(pending.size()));
    return false;
}

void Queue(const SDL_Event& event, bool atPointer = false) { pending.push_back(Scripted{event, atPointer}); }

bool ValidKey(SDLKey key, const char* caller, std::size_t events = 1) {
    if (!Room(events, caller)) return false;
    if (key > SDLK_FIRST && key < SDLK_LAST) return true;
    ILogSystem.Msg(0, " . [VeltranoTesting::%s()] Error: %d is not an SDL key.\n", caller, static_cast<int>(key));
    return false;
}

bool ValidButton(int button, const char* caller, std::size_t events = 1) {
    if (!Room(events, caller)) return false;
    if (button >= 1 && button <= 8) return true;
    ILogSystem.Msg(0, " . [VeltranoTesting::%s()] Error: %d is not a mouse button.\n", caller, button);
    return false;
}

bool ValidPosition(int x, int y, const char* caller) {
    if (x >= 0 && y >= 0 && x <= kMaxCoordinate && y <= kMaxCoordinate) return true;
    ILogSystem.Msg(0, " . [VeltranoTesting::%s()] Error: (%d, %d) is outside the mouse's range.\n", caller, x, y);
    return false;
}

SDL_Event KeyEvent(Uint8 type, SDLKey key, SDLMod modifiers, Uint16 unicode) {
    SDL_Event event{};
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    event.key.keysym.unicode = unicode;
    return event;
}

SDL_Event ButtonEvent(Uint8 type, int button, int x, int y) {
    SDL_Event event{};
    event.button.type = type;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.button = static_cast<Uint8>(button);
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    return event;
}

}  // namespace

bool Poll(SDL_Event* event) {
    if (pending.empty() || !frameSinceLastEvent) return false;
    Scripted next = pending.front();
    pending.pop_front();
    Apply(next);
    *event = next.event;
    frameSinceLastEvent = false;
    return true;
}

void NoteLogicFrame() { frameSinceLastEvent = true; }

}  // namespace scripted_input

namespace VeltranoTesting {

using namespace scripted_input;

void PressKey(SDLKey key, SDLMod modifiers, Uint16 unicode) {
    if (ValidKey(key, "PressKey")) Queue(KeyEvent(SDL_KEYDOWN, key, modifiers, unicode));
}

void ReleaseKey(SDLKey key) {
    if (ValidKey(key, "ReleaseKey")) Queue(KeyEvent(SDL_KEYUP, key, KMOD_NONE, 0));
}

void TapKey(SDLKey key, SDLMod modifiers, Uint16 unicode) {
    if (!ValidKey(key, "TapKey", 2)) return;
    Queue(KeyEvent(SDL_KEYDOWN, key, modifiers, unicode));
    Queue(KeyEvent(SDL_KEYUP, key, KMOD_NONE, 0));
}

void MoveMouse(int x, int y) {
    if (!ValidPosition(x, y, "MoveMouse") || !Room(1, "MoveMouse")) return;
    SDL_Event event{};
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    Queue(event);
}

void PressMouse(int button) {
    if (ValidButton(button, "PressMouse")) Queue(ButtonEvent(SDL_MOUSEBUTTONDOWN, button, 0, 0), true);
}

void ReleaseMouse(int button) {
    if (ValidButton(button, "ReleaseMouse")) Queue(ButtonEvent(SDL_MOUSEBUTTONUP, button, 0, 0), true);
}

void Click(int x, int y, int button) {
    if (!ValidPosition(x, y, "Click") || !ValidButton(button, "Click", 2)) return;
    Queue(ButtonEvent(SDL_MOUSEBUTTONDOWN, button, x, y));
    Queue(ButtonEvent(SDL_MOUSEBUTTONUP, button, x, y));
}

int PendingInput() { return static_cast<int>(pending.size()); }

void ClearInput() {
    pending.clear();
    frameSinceLastEvent = true;
    if (heldKeys.any()) {
        for (int key = 0; key < SDLK_LAST; ++key) {
            if (heldKeys[key]) SetKey(static_cast<SDLKey>(key), false);
        }
        SDL_SetModState(KMOD_NONE);
    }
    GiveBackMouse();
}

}  // namespace VeltranoTesting

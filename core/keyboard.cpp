// Keyboard helpers over the key state the last logic frame captured: the
// state of one key, typed keys with repeat delay, and printable key names.
#include "core/clock.h"
#include "core/core_state.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"

namespace {

// Key codes GetKeyPressed scans, in ascending order.
constexpr int kFirstScannedKey = 8;
constexpr int kLastScannedKey = 295;

bool IsKeyCode(int key) { return key >= 0 && key < SDLK_LAST; }

// The character a key gives with Shift held, or 0 when Shift does not change it.
int ShiftedCharacter(int key) {
    if (key >= 'a' && key <= 'z') return key - 32;
    switch (key) {
        case '\'': return '"';
        case ',': return '<';
        case '-': return '_';
        case '.': return '>';
        case '/': return '?';
        case '0': return ')';
        case '1': return '!';
        case '2': return '@';
        case '3': return '#';
        case '4': return '$';
        case '5': return '%';
        case '6': return '^';
        case '7': return '&';
        case '8': return '*';
        case '9': return '(';
        case ';': return ':';
        case '=': return '+';
        case '[': return '{';
        case '\\': return '|';
        case ']': return '}';
        case '`': return '~';
        default: return 0;
    }
}

int KeypadOperator(int key) {
    switch (key) {
        case SDLK_KP_DIVIDE: return '/';
        case SDLK_KP_MULTIPLY: return '*';
        case SDLK_KP_MINUS: return '-';
        case SDLK_KP_PLUS: return '+';
        case SDLK_KP_ENTER: return 13;
        default: return 0;
    }
}

// Keypad digits without Num Lock act as the navigation keys printed on them.
int KeypadNavigation(int key) {
    switch (key) {
        case SDLK_KP0: return SDLK_INSERT;
        case SDLK_KP1: return SDLK_END;
        case SDLK_KP2: return SDLK_DOWN;
        case SDLK_KP3: return SDLK_PAGEDOWN;
        case SDLK_KP4: return SDLK_LEFT;
        case SDLK_KP6: return SDLK_RIGHT;
        case SDLK_KP7: return SDLK_HOME;
        case SDLK_KP8: return SDLK_UP;
        case SDLK_KP9: return SDLK_PAGEUP;
        case SDLK_KP_PERIOD: return SDLK_DELETE;
        default: return key;
    }
}

int TranslateKey(int key) {
    const SDLMod modifiers = SDL_GetModState();
    if (modifiers & KMOD_SHIFT) {
        if (int shifted = ShiftedCharacter(key)) return shifted;
    }
    if (int op = KeypadOperator(key)) return op;
    const bool keypadDigit = key >= SDLK_KP0 && key <= SDLK_KP9;
    if (modifiers & KMOD_NUM) {
        if (keypadDigit) return '0' + (key - SDLK_KP0);
        if (key == SDLK_KP_PERIOD) return '.';
        return key;
    }
    return KeypadNavigation(key);
}

}  // namespace

int Veltrano_Main::GetKeystate(int key) {
    if (state->keyState == nullptr || !IsKeyCode(key)) return 0;
    return state->keyState[key];
}

int Veltrano_Main::GetKeyPressed(int delay) {
    if (state->keyState == nullptr) return 0;
    const int32_t now = static_cast<int32_t>(clock_source::Ticks());
    for (int key = kFirstScannedKey; key <= kLastScannedKey; ++key) {
        if (!state->keyState[key]) continue;
        // 64-bit sum: a huge delay must not wrap round into "already due".
        if (static_cast<int64_t>(state->keyTimes[key]) + delay >= now) continue;
        state->keyTimes[key] = now;
        return TranslateKey(key);
    }
    return 0;
}

char* Veltrano_Main::GetKeyName(int key) {
    static char space[] = " ";
    static char percent[] = "%";
    static char letters[26][2];
    static char braces[4][2] = {"{", "|", "}", "~"};
    if (key == 32) return space;
    if (key == 37) return percent;
    if (key >= 'A' && key <= 'Z') {
        char* letter = letters[key - 'A'];
        letter[0] = static_cast<char>(key);
        return letter;
    }
    if (key >= 123 && key <= 126) return braces[key - 123];
    if ((key >= 33 && key <= 64) || (key >= 91 && key <= 122)) return SDL_GetKeyName(static_cast<SDLKey>(key));
    return nullptr;
}

// The script of the self-playing run. It only presses keys and clicks, like
// a player: the game does not know it is being played by a script, so the
// run exercises the same code a person does. Where it steers, it asks the
// play screen where the coins and blobs are.
#include "autoplay.h"

#include "game.h"
#include "menus.h"
#include "play.h"
#include "shots.h"

#include <veltrano.h>
// The SDK's testing aid: scripted keys and mouse, delivered by Veltrano.Update
// like a player's. Not part of veltrano.h: only a game's self-play or tests use it.
#include <veltrano_testing.h>

#include <algorithm>

namespace VT = VeltranoTesting;

namespace {

constexpr int kFilmFramesShown = 24;

// The play screen's steps, one after another.
enum class Round { Coin, Console, Enemy, Done };

struct Script {
    bool on = false;
    int titleVisits = 0;
    Round round = Round::Coin;
    const char* typing = nullptr;  // the console line being typed
    int roundFrames = 0;
    int optionsStep = 0, stepStart = 0;  // the options screen's steps
    int typedAt = 0;                     // the frame the console line was done
    int hitAt = 0;                       // the frame the blob hit
    SDLKey held[2] = {SDLK_UNKNOWN, SDLK_UNKNOWN};   // the arrow keys held, across and down
    SDLKey held2[2] = {SDLK_UNKNOWN, SDLK_UNKNOWN};  // the second player's W A S D held
};
Script script;

void ClickOn(const SDL_Rect& box) {
    int x = 0, y = 0;
    Centre(box, x, y);
    VT::Click(x, y);
}

// Sets a slider to value (of range) as a player does: the mouse goes down on
// the bar at that value's place (the bar keeps 25 pixels free at each end)
// and stays down until the slider shows the value: a slider takes its value
// from the mouse when it is drawn while pressed, and frames are not drawn
// at every logic frame. frames counts from the drag's start; true once done
// (or given up after a second, so a slider that misses cannot stall the run).
bool DragSlider(OptionsWidget slider, int value, int range, int frames) {
    if (frames == 0) {
        const SDL_Rect bar = OptionsWidgetBox(slider);
        const int usable = bar.w - 50;
        VT::MoveMouse(bar.x + 25 + (usable * value + usable / 2) / range, bar.y + bar.h / 2);
        VT::PressMouse(SDL_BUTTON_LEFT);
        return false;
    }
    if (OptionsSliderValue(slider) != value && frames < kLogicRate) return false;
    VT::ReleaseMouse(SDL_BUTTON_LEFT);
    return true;
}

// Holds the key for the direction of delta (none within a few pixels).
void HoldAxis(SDLKey& held, float delta, SDLKey minus, SDLKey plus) {
    const SDLKey wanted = delta > 2 ? plus : delta < -2 ? minus : SDLK_UNKNOWN;
    if (wanted == held) return;
    if (held != SDLK_UNKNOWN) VT::ReleaseKey(held);
    if (wanted != SDLK_UNKNOWN) VT::PressKey(wanted);
    held = wanted;
}

void SteerTowards(float x, float y) {
    const PlayerState& player = ThePlayer();
    HoldAxis(script.held[0], x - player.x, SDLK_LEFT, SDLK_RIGHT);
    HoldAxis(script.held[1], y - player.y, SDLK_UP, SDLK_DOWN);
}

void LetGo() {
    for (SDLKey* keys : {script.held, script.held2})
        for (int i = 0; i < 2; ++i) {
            if (keys[i] != SDLK_UNKNOWN) VT::ReleaseKey(keys[i]);
            keys[i] = SDLK_UNKNOWN;
        }
}

// One character of the console line at a time, then Return. The console
// takes a key again only after 120 ms (its key repeat), so the keys are
// spaced out, as a fast typist's would be.
constexpr int kFramesPerKey = 8;

bool TypeLine() {
    if (script.typing == nullptr) return true;
    if (script.roundFrames % kFramesPerKey != 0) return false;
    const char c = *script.typing;
    if (c == '\0') {
        VT::TapKey(SDLK_RETURN, KMOD_NONE, '\r');
        script.typing = nullptr;
        return true;
    }
    VT::TapKey(static_cast<SDLKey>(c), KMOD_NONE, static_cast<Uint16>(c));
    ++script.typing;
    return false;
}

// Drags the debug window by its title to the bottom right corner over a
// few frames, counted from 0.
void DragDebugWindow(int frames) {
    const SDL_Rect* window = Veltrano.DwGetRect();
    if (window == nullptr) return;
    const int x = window->x + window->w / 2, y = window->y + 6;
    if (frames == 0) VT::MoveMouse(x, y), VT::PressMouse(SDL_BUTTON_LEFT);
    // The window follows the mouse as of the last logic frame, so it moves
    // on the motion after the one that took the mouse there: two motions.
    const int toX = Veltrano.screen->w - window->w / 2 - 4, toY = Veltrano.screen->h - window->h + 2;
    if (frames == 2) VT::MoveMouse(toX, toY);
    if (frames == 4) VT::MoveMouse(toX + 1, toY);
    if (frames == 6) VT::ReleaseMouse(SDL_BUTTON_LEFT);
}

void NextRound(Round round) {
    LetGo();
    script.round = round;
    script.roundFrames = 0;
}

// One player: take a coin, spawn a blob from the console, run into it, give up.
void PlaySolo() {
    const PlayerState& player = ThePlayer();
    float x = 0, y = 0;
    ++script.roundFrames;
    switch (script.round) {
        case Round::Coin:
            // The shot waits for the level's entrance effect to be over and for
            // the debug window to have read the watches (twice a second).
            if (player.score > 0 && script.roundFrames > 90) {
                SaveShot("play");
                NextRound(Round::Console);
                VT::TapKey(SDLK_BACKQUOTE, KMOD_NONE, '`');
                script.typing = "spawn enemy";
            } else if (NearestCoin(x, y)) {
                SteerTowards(x, y);
            }
            break;
        case Round::Console:
            // The console fades in first; then the command is typed into it.
            if (script.roundFrames < 10 || !TypeLine()) break;
            if (script.typedAt == 0) script.typedAt = script.roundFrames;
            if (script.roundFrames == script.typedAt + 20) SaveShot("console");
            if (script.roundFrames == script.typedAt + 22) VT::TapKey(SDLK_BACKQUOTE, KMOD_NONE, '`');
            // Then the debug window is dragged out of the way by its title.
            DragDebugWindow(script.roundFrames - script.typedAt - 30);
            if (script.roundFrames == script.typedAt + 40) NextRound(Round::Enemy);
            break;
        case Round::Enemy:
            if (player.hits > 0) {
                if (script.hitAt == 0) script.hitAt = script.roundFrames, LetGo();
                if (script.roundFrames == script.hitAt + 4) SaveShot("enemy-hit");
                if (script.roundFrames == script.hitAt + 6) NextRound(Round::Done), VT::TapKey(SDLK_ESCAPE);
            } else if (NearestEnemy(x, y)) {
                SteerTowards(x, y);
            }
            break;
        case Round::Done:
            break;
    }
}

// Two players: the first goes for coins, the second (W A S D) walks down
// and right until the server has relayed it for a while, then give up.
void PlayPair(int frames) {
    if (frames > 100) return;  // given up: no key may be held into the next screens
    float x = 0, y = 0;
    if (NearestCoin(x, y)) SteerTowards(x, y);
    float x2 = 0, y2 = 0;
    SecondPlayerPosition(x2, y2);
    HoldAxis(script.held2[0], 600 - x2, SDLK_a, SDLK_d);
    HoldAxis(script.held2[1], 400 - y2, SDLK_w, SDLK_s);
    if (frames == 90 && SecondPlayerSeen()) SaveShot("two-players");
    if (frames == 100) {
        LetGo();
        VT::TapKey(SDLK_ESCAPE);
    }
}

void OnTitle(int frames) {
    if (frames == 1) ++script.titleVisits;
    if (frames == 20) SaveShot("title");
    if (frames != 30) return;
    const TitleChoice tour[] = {TitleChoice::Options, TitleChoice::Start, TitleChoice::TwoPlayers, TitleChoice::Quit};
    ClickOn(TitleButton(tour[std::min(script.titleVisits, 4) - 1]));
}

// Three sliders dragged one after the other, then Apply, then Back.
void OnOptions(int frames) {
    if (frames == 1) script.optionsStep = 0, script.stepStart = 10;
    const int since = frames - script.stepStart;
    if (since < 0) return;
    bool done = false;
    switch (script.optionsStep) {
        case 0: done = DragSlider(OptionsWidget::Resolution, 1, 2, since); break;  // 800 x 600
        case 1: done = DragSlider(OptionsWidget::Music, 7, 10, since); break;
        case 2: done = DragSlider(OptionsWidget::Sound, 4, 10, since); break;
        case 3:
            SaveShot("options");
            ClickOn(OptionsWidgetBox(OptionsWidget::Apply));
            done = true;
            break;
        case 4:
            if (since == 15) ClickOn(OptionsWidgetBox(OptionsWidget::Back));
            break;
    }
    if (done) ++script.optionsStep, script.stepStart = frames + 1;
}

void OnScores(int frames) {
    if (frames == 30) SaveShot("scores");
    if (frames == 40) VT::TapKey(SDLK_RETURN, KMOD_NONE, '\r');
}

}  // namespace

void StartAutoplay() { script.on = true; }

bool Autoplaying() { return script.on; }

void AutoplayFrame(Screen current, int framesOnScreen) {
    if (!script.on) return;
    switch (current) {
        case Screen::Title: OnTitle(framesOnScreen); break;
        case Screen::Options: OnOptions(framesOnScreen); break;
        case Screen::Play: PlaySolo(); break;
        case Screen::TwoPlayers: PlayPair(framesOnScreen); break;
        case Screen::Scores: OnScores(framesOnScreen); break;
        default: break;
    }
}

bool AutoplayFilmFrame(int frame) {
    if (!script.on) return true;
    if (frame == kFilmFramesShown / 2) SaveShot("intro");
    return frame < kFilmFramesShown;
}

// The script of the self-playing run. It only presses keys and clicks, like
// a player: the game does not know it is being played by a script, so the
// run exercises the same code a person does. Where it steers, it asks the
// play screen where the coins and blobs are.
#include "autoplay.h"

#include "menus.h"
#include "play.h"
#include "shots.h"
#include "testing_input.h"

#include <algorithm>

namespace VT = VeltranoTesting;

namespace {

constexpr int kFilmFramesShown = 24;

// The play screen's steps, one after another.
enum class Round { Coin, Console, Enemy, Done };

struct Script {
    bool on = false;
    int titleVisits = 0, optionsVisits = 0, playVisits = 0, scoresVisits = 0;
    Round round = Round::Coin;
    const char* typing = nullptr;  // the console line being typed
    int roundFrames = 0;
    SDLKey held[2] = {SDLK_UNKNOWN, SDLK_UNKNOWN};  // the arrows held (or W A S D)
    SDLKey held2[2] = {SDLK_UNKNOWN, SDLK_UNKNOWN};
};
Script script;

void ClickOn(const SDL_Rect& box) {
    int x = 0, y = 0;
    Centre(box, x, y);
    VT::Click(x, y);
}

// A point on a slider's bar that sets it to value (of range): the bar keeps
// 25 pixels free at each end.
void ClickSlider(const SDL_Rect& bar, int value, int range) {
    const int usable = bar.w - 50;
    VT::Click(bar.x + 25 + (usable * value + usable / 2) / range, bar.y + bar.h / 2);
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

// One character of the console line per frame, then Return.
bool TypeLine() {
    if (script.typing == nullptr) return true;
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
            if (player.score > 0) {
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
            if (script.roundFrames == 40) SaveShot("console");
            if (script.roundFrames == 42) VT::TapKey(SDLK_BACKQUOTE, KMOD_NONE, '`');
            if (script.roundFrames == 60) NextRound(Round::Enemy);
            break;
        case Round::Enemy:
            if (player.hits > 0) {
                SaveShot("enemy-hit");
                NextRound(Round::Done);
                VT::TapKey(SDLK_ESCAPE);
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

void OnOptions(int frames) {
    if (frames == 10) ClickSlider(OptionsWidgetBox(OptionsWidget::Resolution), 1, 2);  // 800 x 600
    if (frames == 16) ClickSlider(OptionsWidgetBox(OptionsWidget::Music), 7, 10);
    if (frames == 22) ClickSlider(OptionsWidgetBox(OptionsWidget::Sound), 4, 10);
    if (frames == 30) SaveShot("options");
    if (frames == 34) ClickOn(OptionsWidgetBox(OptionsWidget::Apply));
    if (frames == 50) ClickOn(OptionsWidgetBox(OptionsWidget::Back));
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

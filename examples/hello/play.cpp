// The play screen: one or two critters walk a level collecting coins while
// blobs patrol; spikes and blobs cost a life, the time limit too. Clearing
// every coin leads to the next level; after the last level, with no lives
// left or on Escape, the score goes to the high-score table.
#include "play.h"

#include "actors.h"
#include "audio.h"
#include "game.h"
#include "level.h"
#include "menus.h"
#include "netplay.h"
#include "resources.h"
#include "score_table.h"
#include "screens.h"

#include <veltrano.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr float kSpeed = 3.0f;         // pixels per logic frame
constexpr float kHalf = 11.0f;         // half the critter's footprint, for walls
constexpr int kInvulnerable = 90;      // frames after a hit
constexpr int kLives = 3;
constexpr int kCoinPoints = 10;
constexpr int kIntroFrames = 30;       // the level's entrance effect
constexpr int kEntranceEffect = 2;     // RenderFX's wave: the level ripples in

struct Play {
    Level level;
    PlayerState state;
    int framesLeft = 0, levelFrames = 0, safeFrames = 0;
    float secondX = 0, secondY = 0;  // the second player as it moves itself
    bool over = false;
    Screen self = Screen::Play;      // Play or TwoPlayers, as entered
    SDL_Surface* scene = nullptr;    // the entrance effect's source
};
Play play;
bool playing = false;

int FieldLeft() { return (Veltrano.screen->w - kFieldWidth) / 2; }
int FieldTop() { return (Veltrano.screen->h - kFieldHeight) / 2 + 12; }

// The grid with its top-left corner at (left, top).
void DrawLevel(const Level& level, SDL_Surface* target, int left, int top) {
    Veltrano_CTile* tiles = GroundTiles();
    if (tiles == nullptr) return;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            tiles->SetPosition(left + column * kCell, top + row * kCell);
            tiles->Draw(target, static_cast<int>(level.grid[row][column]));
        }
}

bool StartLevel(int number) {
    if (number < 1 || number > kLevelCount || !LoadLevel(number, play.level)) return false;
    play.state.level = number;
    play.framesLeft = play.level.seconds * kLogicRate;
    play.levelFrames = 0;
    ResetCast(play.level);
    play.secondX = TheCast().player.x + kCell;
    play.secondY = TheCast().player.y;
    PlaceSprites(FieldLeft(), FieldTop(), false);
    return true;
}

void StartGame(Screen self) {
    const bool twoPlayers = self == Screen::TwoPlayers;
    play.self = self;
    play.state = PlayerState{};
    play.state.lives = kLives;
    play.state.twoPlayers = twoPlayers && StartNetPlay();
    play.over = !StartLevel(1);
    play.scene = SDL_DisplayFormat(Veltrano.screen);
    playing = true;
    ShowPointer(false);
}

// Moves (x, y) by (dx, dy) one axis at a time, so the critter slides along
// walls instead of sticking to them.
void Walk(float& x, float& y, float dx, float dy) {
    if (!HitsWall(play.level, x + dx * kSpeed, y, kHalf)) x += dx * kSpeed;
    if (!HitsWall(play.level, x, y + dy * kSpeed, kHalf)) y += dy * kSpeed;
}

float Axis(SDLKey minus, SDLKey plus) {
    return static_cast<float>(Veltrano.GetKeystate(plus) - Veltrano.GetKeystate(minus));
}

void MovePlayers() {
    Actor& player = TheCast().player;
    const float dx = Axis(SDLK_LEFT, SDLK_RIGHT), dy = Axis(SDLK_UP, SDLK_DOWN);
    Walk(player.x, player.y, dx, dy);
    SetWalking(player, dx != 0 || dy != 0);
    if (!play.state.twoPlayers) return;
    // The second player walks with W, A, S, D; the host shows it where the
    // server says it is.
    const float dx2 = Axis(SDLK_a, SDLK_d), dy2 = Axis(SDLK_w, SDLK_s);
    Walk(play.secondX, play.secondY, dx2, dy2);
    SendSecondPlayer(play.secondX, play.secondY);
    Actor& rival = TheCast().rival;
    SecondPlayerAt(rival.x, rival.y);
    SetWalking(rival, dx2 != 0 || dy2 != 0);
}

// Blobs go straight on and turn back at walls.
void MoveEnemies() {
    for (Actor& blob : TheCast().enemies) {
        if (HitsWall(play.level, blob.x + blob.dx * 4, blob.y + blob.dy * 4, kHalf - 2)) blob.dx = -blob.dx, blob.dy = -blob.dy;
        blob.x += blob.dx;
        blob.y += blob.dy;
    }
}

void Hurt(const char* why) {
    if (play.safeFrames > 0 || play.state.god) return;
    --play.state.lives;
    ++play.state.hits;
    play.safeFrames = kInvulnerable;
    PlayHurtSound();
    ILogSystem.Msg(0, " . Player hit by %s: %d lives left\n", why, play.state.lives);
}

void CollectCoins() {
    Cast& cast = TheCast();
    int left = 0;
    for (Actor& coin : cast.coins) {
        if (!coin.active) continue;
        if (Touching(cast.player, coin)) {
            coin.active = false;
            play.state.score += kCoinPoints;
            PlayCoinSound();
            ILogSystem.Msg(0, " . Coin collected: score %d\n", play.state.score);
        } else if (play.state.twoPlayers && Touching(cast.rival, coin)) {
            coin.active = false;  // the second player takes it: the first loses it
            PlayCoinSound();
        } else {
            ++left;
        }
    }
    play.state.coinsLeft = left;
}

void CheckDangers() {
    Cast& cast = TheCast();
    for (Actor& blob : cast.enemies)
        if (Touching(cast.player, blob)) Hurt("a blob");
    if (TerrainAt(play.level, cast.player.x, cast.player.y) == Terrain::Spikes) Hurt("spikes");
    if (play.safeFrames > 0) --play.safeFrames;
    if (--play.framesLeft <= 0) {
        Hurt("the clock");
        play.framesLeft = play.level.seconds * kLogicRate;
    }
}

void UpdateState() {
    const Actor& player = TheCast().player;
    play.state.x = static_cast<int>(player.x);
    play.state.y = static_cast<int>(player.y);
    play.state.secondsLeft = play.framesLeft / kLogicRate;
}

Screen Finish() {
    AddScore(kScoresFile, PlayerName(), play.state.score, play.state.level);
    return Screen::Scores;
}

void DrawHud(SDL_Surface* target) {
    char text[128];
    std::snprintf(text, sizeof text, "LEVEL %d: %s   SCORE %d   LIVES %d   TIME %d%s", play.state.level,
                  play.level.name.c_str(), play.state.score, play.state.lives, play.state.secondsLeft,
                  play.state.god ? "   GOD" : "");
    if (SmallFont() != nullptr) SmallFont()->PutString(target, FieldLeft() + 4, FieldTop() - 18, text, nullptr);
    if (play.state.twoPlayers && SmallFont() != nullptr) {
        std::snprintf(text, sizeof text, "PLAYER 2 (W A S D) OVER THE NETWORK: %d REPORTS", AcceptedReports());
        SmallFont()->PutString(target, FieldLeft() + 4, FieldTop() + kFieldHeight + 4, text, nullptr);
    }
}

void DrawField(SDL_Surface* target) {
    SDL_FillRect(target, nullptr, Rgb(10, 12, 24));
    DrawLevel(play.level, target, FieldLeft(), FieldTop());
    // A hurt critter blinks while it cannot be hurt again.
    const bool blinkedOut = play.safeFrames > 0 && play.safeFrames / 6 % 2 == 1;
    DrawCast(target, play.state.twoPlayers && SecondPlayerSeen(), !blinkedOut);
    DrawHud(target);
}

}  // namespace

void EnterPlay() { StartGame(Screen::Play); }
// Without a network the second player cannot join: the game is then played alone.
void EnterTwoPlayers() { StartGame(Screen::TwoPlayers); }

Screen StepPlay() {
    if (play.over || KeyWentDown(SDLK_ESCAPE)) return Finish();
    ++play.levelFrames;
    MovePlayers();
    MoveEnemies();
    PlaceSprites(FieldLeft(), FieldTop(), true);
    CollectCoins();
    CheckDangers();
    UpdateState();
    if (play.state.lives <= 0) return Finish();
    if (play.state.coinsLeft == 0 && !StartLevel(play.state.level + 1)) return Finish();
    return play.self;
}

void DrawPlay(SDL_Surface* target) {
    // The level comes in through a screen effect for its first half second.
    if (play.levelFrames >= kIntroFrames || play.scene == nullptr || target != Veltrano.screen) {
        DrawField(target);
        return;
    }
    DrawField(play.scene);
    IScreenFX->RenderFX(play.scene, target, kEntranceEffect);
}

void LeavePlay() {
    if (play.state.twoPlayers) StopNetPlay();
    Veltrano.FreeSurface(play.scene);
    playing = false;
}

const PlayerState& ThePlayer() { return play.state; }

bool GoToLevel(int number) { return playing && StartLevel(number); }

bool Spawn(bool enemy) {
    if (!playing) return false;
    const Actor& player = TheCast().player;
    // Two cells to the right, or to the left when that is a wall.
    float x = player.x + 2 * kCell;
    if (HitsWall(play.level, x, player.y, kHalf)) x = player.x - 2 * kCell;
    if (HitsWall(play.level, x, player.y, kHalf)) return false;
    if (enemy)
        AddEnemy(x, player.y, 0, 1.5f);
    else
        AddCoin(x, player.y);
    PlaceSprites(FieldLeft(), FieldTop(), false);
    return true;
}

bool ToggleGod() {
    if (!playing) return false;
    play.state.god = !play.state.god;
    return true;
}

namespace {

bool Nearest(const std::vector<Actor>& actors, float& x, float& y) {
    const Actor& player = TheCast().player;
    float best = 1e9f;
    for (const Actor& actor : actors) {
        const float d = std::hypot(actor.x - player.x, actor.y - player.y);
        if (actor.active && d < best) best = d, x = actor.x, y = actor.y;
    }
    return best < 1e9f;
}

}  // namespace

bool NearestCoin(float& x, float& y) { return playing && Nearest(TheCast().coins, x, y); }
bool NearestEnemy(float& x, float& y) { return playing && Nearest(TheCast().enemies, x, y); }

void SecondPlayerPosition(float& x, float& y) {
    x = play.secondX;
    y = play.secondY;
}

bool SecondPlayerSeen() {
    float x = 0, y = 0;
    return SecondPlayerAt(x, y);
}

#include "actors.h"
#include "audio.h"

#include <veltrano.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kCoins = 6;
constexpr int kWalk = SPRITE_STATE_NORMAL;       // the sheet's first row
constexpr int kBlink = SPRITE_STATE_NORMAL + 1;  // its second row
constexpr float kCritterSpeed = 3.0f;            // pixels per logic frame

struct Coin {
    Veltrano_CSprite* sprite = nullptr;
    float x = 0, y = 0, speedX = 0, speedY = 0;
};

struct Actors {
    Veltrano_CSprite* critter = nullptr;
    Veltrano_CSprite* coinMaster = nullptr;  // never drawn: the clones share its sheet
    Veltrano_CSprite* idol = nullptr;        // a clone turned and grown by an effect
    Coin coins[kCoins];
    float critterX = 0, critterY = 0;
    int width = 0, height = 0;
    int collected = 0;
    int frames = 0;
};
Actors actors;

float Random(float low, float high) { return low + (high - low) * static_cast<float>(std::rand() % 1000) / 1000.0f; }

// The hot spot of every animation in the middle of the frame.
void CentreHotSpots(Veltrano_CSprite* sprite, int animations) {
    int w = 0, h = 0;
    sprite->GetOffset(&w, &h);
    for (int anim = 1; anim <= animations; ++anim)
        sprite->SetAnimProperties(anim, KEEP_VALUE, KEEP_VALUE, static_cast<short>(w / 2), static_cast<short>(h / 2),
                                  KEEP_VALUE, KEEP_VALUE);
}

void PlaceCoin(Coin& coin) {
    coin.x = Random(24, static_cast<float>(actors.width - 24));
    coin.y = Random(90, static_cast<float>(actors.height - 48));
    coin.speedX = Random(-1.0f, 1.0f);
    coin.speedY = Random(-0.6f, 0.6f);
    coin.sprite->SetPosition(static_cast<int>(coin.x), static_cast<int>(coin.y), 0);
}

Coin* NearestCoin() {
    Coin* nearest = nullptr;
    float best = 1e9f;
    for (Coin& coin : actors.coins) {
        const float d = std::hypot(coin.x - actors.critterX, coin.y - actors.critterY);
        if (d < best) best = d, nearest = &coin;
    }
    return nearest;
}

// The arrow keys, or in the self-playing demo the way to the nearest coin.
void Steer(bool selfPlaying, float& dx, float& dy) {
    dx = dy = 0;
    if (selfPlaying) {
        const Coin* target = NearestCoin();
        if (target == nullptr) return;
        const float distance = std::hypot(target->x - actors.critterX, target->y - actors.critterY);
        if (distance > 1) dx = (target->x - actors.critterX) / distance, dy = (target->y - actors.critterY) / distance;
        return;
    }
    dx = static_cast<float>(Veltrano.GetKeystate(SDLK_RIGHT) - Veltrano.GetKeystate(SDLK_LEFT));
    dy = static_cast<float>(Veltrano.GetKeystate(SDLK_DOWN) - Veltrano.GetKeystate(SDLK_UP));
}

// (x, y) kept inside the field.
void PlaceCritter(float x, float y, int smooth) {
    actors.critterX = std::fmin(std::fmax(x, 16.0f), actors.width - 16.0f);
    actors.critterY = std::fmin(std::fmax(y, 80.0f), actors.height - 40.0f);
    actors.critter->SetPosition(static_cast<int>(actors.critterX), static_cast<int>(actors.critterY), smooth);
}

void MoveCritter(bool selfPlaying, int smooth) {
    float dx = 0, dy = 0;
    Steer(selfPlaying, dx, dy);
    const bool walking = dx != 0 || dy != 0;
    // Switching animations only when the state changes keeps each one playing.
    if (actors.critter->GetAnim() != (walking ? kWalk : kBlink)) actors.critter->SelectAnim(walking ? kWalk : kBlink);
    // Interpolated: every rendered frame between two logic frames shows the
    // critter part of the way, so it glides instead of jumping.
    PlaceCritter(actors.critterX + dx * kCritterSpeed, actors.critterY + dy * kCritterSpeed, smooth);
}

void MoveCoins(int smooth) {
    for (Coin& coin : actors.coins) {
        coin.x += coin.speedX;
        coin.y += coin.speedY;
        if (coin.x < 16 || coin.x > actors.width - 16) coin.speedX = -coin.speedX;
        if (coin.y < 90 || coin.y > actors.height - 40) coin.speedY = -coin.speedY;
        coin.sprite->SetPosition(static_cast<int>(coin.x), static_cast<int>(coin.y), smooth);
    }
}

void CollectCoins() {
    for (Coin& coin : actors.coins)
        if (actors.critter->Collision(coin.sprite, -1, -1, -1, -1, 0) == 1) {
            ++actors.collected;
            PlayCoinSound();
            PlaceCoin(coin);
        }
}

}  // namespace

bool LoadActors(int fieldWidth, int fieldHeight) {
    actors.width = fieldWidth;
    actors.height = fieldHeight;
    actors.critter = new Veltrano_CSprite;
    actors.coinMaster = new Veltrano_CSprite;
    if (actors.critter->Load("assets.dpf", "critter", "hello") == 0 ||
        actors.coinMaster->Load("assets.dpf", "coin", "hello") == 0) {
        FreeActors();
        return false;
    }
    // The scene is redrawn whole every frame: no background to put back.
    actors.critter->AutoRestore(0);
    actors.critter->SetFrameProperties(1, 0, 120);  // walk: 120 ms a frame
    actors.critter->SetAnimProperties(2, SPRITE_ANIM_PINGPONG, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE,
                                      KEEP_VALUE);  // blink: eyes close and open again
    actors.critter->SetFrameProperties(2, 0, 250);
    CentreHotSpots(actors.critter, 2);
    CentreHotSpots(actors.coinMaster, 1);
    actors.coinMaster->SetFrameProperties(1, 0, 90);
    actors.critterX = fieldWidth / 3.0f;
    actors.critterY = fieldHeight / 2.0f;
    actors.critter->SetPosition(static_cast<int>(actors.critterX), static_cast<int>(actors.critterY), 0);
    std::srand(7);  // the same game every run, so screenshots compare
    for (Coin& coin : actors.coins) {
        coin.sprite = new Veltrano_CSprite;
        coin.sprite->Clone(actors.coinMaster);
        coin.sprite->AutoRestore(0);
        PlaceCoin(coin);
    }
    actors.idol = new Veltrano_CSprite;
    actors.idol->Clone(actors.coinMaster);
    actors.idol->AutoRestore(0);
    actors.idol->SetAnimFactor(0.5f);  // turns at half speed
    actors.idol->SetPosition(fieldWidth - 60, fieldHeight - 70, 0);
    actors.critter->Info();
    return true;
}

void FreeActors() {
    // Slaves before their master.
    for (Coin& coin : actors.coins) {
        delete coin.sprite;
        coin.sprite = nullptr;
    }
    delete actors.idol;
    delete actors.critter;
    delete actors.coinMaster;
    actors.idol = actors.critter = actors.coinMaster = nullptr;
}

void StepActors(bool selfPlaying, bool smooth) {
    if (actors.critter == nullptr) return;
    ++actors.frames;
    MoveCritter(selfPlaying, smooth ? 1 : 0);
    MoveCoins(smooth ? 1 : 0);
    CollectCoins();
    // The idol turns and breathes: rotated by a growing angle, scaled from 2.5
    // down to nothing and back (a zoom of 0 still draws, as a single pixel).
    actors.idol->SetEffect(SPRITE_FX_ROTATERESIZE, 1, actors.frames * 3.0, 1.25 + 1.25 * std::sin(actors.frames * 0.05));
}

void DrawActors(SDL_Surface* target) {
    if (actors.critter == nullptr) return;
    for (Coin& coin : actors.coins) coin.sprite->Draw(target);
    actors.idol->Draw(target);
    actors.critter->Draw(target);
}

void ShowNearestCollision() {
    if (actors.critter == nullptr) return;
    Coin* nearest = NearestCoin();
    if (nearest != nullptr) actors.critter->Collision(nearest->sprite, -1, -1, -1, -1, 1);
}

int CoinsCollected() { return actors.collected; }

void CritterPosition(int& x, int& y) {
    x = static_cast<int>(actors.critterX);
    y = static_cast<int>(actors.critterY);
}

void TeleportCritter(int x, int y) {
    if (actors.critter != nullptr) PlaceCritter(static_cast<float>(x), static_cast<float>(y), 0);
}

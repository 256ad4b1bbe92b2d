#include "actors.h"

#include "assets.h"

namespace {

constexpr int kWalk = SPRITE_STATE_NORMAL;       // the sheet's first row
constexpr int kBlink = SPRITE_STATE_NORMAL + 1;  // its second row

struct Masters {
    Veltrano_CSprite* coin = nullptr;  // never drawn: the clones share its sheet
    Veltrano_CSprite* blob = nullptr;
};
Masters masters;
Cast cast;

// The hot spot of every animation in the middle of the frame, so positions
// are the actors' middles.
void CentreHotSpots(Veltrano_CSprite* sprite, int animations) {
    int w = 0, h = 0;
    sprite->GetOffset(&w, &h);
    for (int anim = 1; anim <= animations; ++anim)
        sprite->SetAnimProperties(anim, KEEP_VALUE, KEEP_VALUE, static_cast<short>(w / 2), static_cast<short>(h / 2),
                                  KEEP_VALUE, KEEP_VALUE);
}

Veltrano_CSprite* LoadSprite(const char* name, int animations) {
    auto* sprite = new Veltrano_CSprite;
    if (sprite->Load(kAssets, name, "hello") == 0) {
        delete sprite;
        return nullptr;
    }
    // Every frame is redrawn whole: no background to put back.
    sprite->AutoRestore(0);
    CentreHotSpots(sprite, animations);
    return sprite;
}

Veltrano_CSprite* LoadCritter(const char* name) {
    Veltrano_CSprite* critter = LoadSprite(name, 2);
    if (critter == nullptr) return nullptr;
    critter->SetFrameProperties(1, 0, 120);  // walk: 120 ms a frame
    critter->SetAnimProperties(2, SPRITE_ANIM_PINGPONG, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE,
                               KEEP_VALUE);  // blink: eyes close and open again
    critter->SetFrameProperties(2, 0, 250);
    return critter;
}

Actor Cloned(Veltrano_CSprite* master, float x, float y) {
    Actor actor;
    actor.sprite = new Veltrano_CSprite;
    actor.sprite->Clone(master);
    actor.sprite->AutoRestore(0);
    actor.x = x;
    actor.y = y;
    return actor;
}

void FreeClones(std::vector<Actor>& actors) {
    for (Actor& actor : actors) delete actor.sprite;
    actors.clear();
}

float Middle(int cell) { return cell * kCell + kCell / 2.0f; }

void Place(Actor& actor, int left, int top, int smooth) {
    if (actor.sprite != nullptr)
        actor.sprite->SetPosition(left + static_cast<int>(actor.x), top + static_cast<int>(actor.y), smooth);
}

}  // namespace

Cast& TheCast() { return cast; }

bool LoadCast() {
    cast.player.sprite = LoadCritter("critter");
    cast.rival.sprite = LoadCritter("rival");
    masters.coin = LoadSprite("coin", 1);
    masters.blob = LoadSprite("blob", 1);
    if (masters.coin != nullptr) masters.coin->SetFrameProperties(1, 0, 90);
    if (cast.player.sprite != nullptr) cast.player.sprite->Info();
    return cast.player.sprite != nullptr && cast.rival.sprite != nullptr && masters.coin != nullptr &&
           masters.blob != nullptr;
}

void FreeCast() {
    // Clones before their masters.
    FreeClones(cast.coins);
    FreeClones(cast.enemies);
    delete cast.player.sprite;
    delete cast.rival.sprite;
    delete masters.coin;
    delete masters.blob;
    cast = Cast{};
    masters = Masters{};
}

void ResetCast(const Level& level) {
    FreeClones(cast.coins);
    FreeClones(cast.enemies);
    cast.player.x = Middle(level.start.x);
    cast.player.y = Middle(level.start.y);
    for (const GridCell& coin : level.coins) AddCoin(Middle(coin.x), Middle(coin.y));
    for (const EnemyStart& enemy : level.enemies)
        AddEnemy(Middle(enemy.at.x), Middle(enemy.at.y), enemy.dx * 1.5f, enemy.dy * 1.5f);
}

void AddCoin(float x, float y) {
    if (masters.coin != nullptr) cast.coins.push_back(Cloned(masters.coin, x, y));
}

void AddEnemy(float x, float y, float dx, float dy) {
    if (masters.blob == nullptr) return;
    Actor blob = Cloned(masters.blob, x, y);
    blob.dx = dx;
    blob.dy = dy;
    cast.enemies.push_back(blob);
}

void SetWalking(Actor& actor, bool walking) {
    // Switching only when the state changes keeps each animation playing.
    const int wanted = walking ? kWalk : kBlink;
    if (actor.sprite != nullptr && actor.sprite->GetAnim() != wanted) actor.sprite->SelectAnim(wanted);
}

void PlaceSprites(int left, int top, bool smooth) {
    const int interpolate = smooth ? 1 : 0;
    Place(cast.player, left, top, interpolate);
    Place(cast.rival, left, top, interpolate);
    for (Actor& coin : cast.coins) Place(coin, left, top, interpolate);
    for (Actor& enemy : cast.enemies) Place(enemy, left, top, interpolate);
}

bool Touching(const Actor& a, const Actor& b) {
    return a.sprite != nullptr && b.sprite != nullptr && a.sprite->Collision(b.sprite, -1, -1, -1, -1, 0) == 1;
}

void DrawCast(SDL_Surface* target, bool withRival, bool withPlayer) {
    for (Actor& coin : cast.coins)
        if (coin.active) coin.sprite->Draw(target);
    for (Actor& enemy : cast.enemies) enemy.sprite->Draw(target);
    if (withRival && cast.rival.sprite != nullptr) cast.rival.sprite->Draw(target);
    if (withPlayer && cast.player.sprite != nullptr) cast.player.sprite->Draw(target);
}

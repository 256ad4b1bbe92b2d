// Collisions of a sprite's current frame with another sprite's or with a
// surface, under the sprite's own collision method.
#include "Veltrano_CSprite.h"
#include "Veltrano_IPrimitives.h"
#include "sprites/sprite_effect.h"
#include "sprites/sprite_position.h"

namespace {

// -1 (as a 16-bit value) stands for where the sprite was last drawn.
int CollisionCoordinate(short given, float drawn) {
    return given == -1 ? sprite_position::Floor16(drawn) : given;
}

// The prepared current frame and where it lies for a collision at (x, y).
struct PlacedFrame {
    sprite_effect::PreparedFrame frame;
    SDL_Rect box{0, 0, 0, 0};
};

bool PlaceForCollision(SpriteData& sprite, short x, short y, PlacedFrame* placed) {
    if (!sprite_effect::Prepare(sprite, &placed->frame)) return false;
    placed->box = sprite_effect::Place(placed->frame, CollisionCoordinate(x, sprite.drawX),
                                       CollisionCoordinate(y, sprite.drawY));
    return true;
}

// The primitives' test under the sprite's method (unless it is -1) for this
// call only; the primitives' own method is put back afterwards.
int CollideWithMethod(int method, SDL_Surface* a, SDL_Rect* boxA, SDL_Surface* b, SDL_Rect* boxB,
                      unsigned char showBoxes, SDL_Rect* offsetA, SDL_Rect* offsetB) {
    if (IPrimitives == nullptr) return 0;
    const int previous = IPrimitives->GetCollisionMethod();
    if (method != -1) IPrimitives->SetCollisionMethod(method);
    const int result = IPrimitives->PixelCollision(a, boxA, b, boxB, showBoxes, offsetA, offsetB);
    if (method != -1) IPrimitives->SetCollisionMethod(previous);
    return result;
}

}  // namespace

void Veltrano_CSprite::SetCollisionMethod(int method) { data->collisionMethod = method < -1 ? -1 : method; }

int Veltrano_CSprite::GetCollisionMethod() { return data->collisionMethod; }

int Veltrano_CSprite::Collision(Veltrano_CSprite* other, short otherX, short otherY, short x, short y,
                                unsigned char showBoxes) {
    if (data->status == kSpriteEmpty || other == nullptr || other->data->status == kSpriteEmpty) return 0;
    if (!sprite_state::AcquireSheet(*data, "Collision") || !sprite_state::AcquireSheet(*other->data, "Collision"))
        return 0;
    PlacedFrame mine;
    PlacedFrame theirs;
    if (!PlaceForCollision(*data, x, y, &mine) || !PlaceForCollision(*other->data, otherX, otherY, &theirs))
        return 0;
    return CollideWithMethod(data->collisionMethod, mine.frame.surface, &mine.box, theirs.frame.surface,
                             &theirs.box, showBoxes, &mine.frame.rect, &theirs.frame.rect);
}

int Veltrano_CSprite::Collision(SDL_Surface* surface, SDL_Rect* rect, short x, short y, unsigned char showBoxes) {
    if (data->status == kSpriteEmpty || surface == nullptr || rect == nullptr) return 0;
    if (!sprite_state::AcquireSheet(*data, "Collision")) return 0;
    PlacedFrame mine;
    if (!PlaceForCollision(*data, x, y, &mine)) return 0;
    return CollideWithMethod(data->collisionMethod, mine.frame.surface, &mine.box, surface, rect, showBoxes,
                             &mine.frame.rect, nullptr);
}

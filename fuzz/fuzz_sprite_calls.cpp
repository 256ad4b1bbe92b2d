// Arbitrary bytes as a sequence of calls on a master sprite and two of its
// clones: animation properties, selection, positions, effects, drawing,
// collisions and the passing of time, with the master deleted or cleaned
// at whatever point the bytes say. After every call the animation records
// must keep their ranges inside the frames.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/clock.h"
#include "fuzz_setup.h"
#include "veltrano.h"

namespace {

constexpr int kFrame = 8;
constexpr int kSprites = 3;  // [0] the master, [1] and [2] its clones

uint32_t ticks = 1;
uint32_t FuzzTicks() { return ticks; }

SDL_Surface* sheet = nullptr;    // 4 columns, 3 rows; the last row has 2 frames
SDL_Surface* offScreen = nullptr;

// Reads the input one byte at a time; 0 once it is used up.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    int Signed() { return static_cast<int8_t>(Next()); }
    unsigned Word() { return static_cast<unsigned>(Next()) | static_cast<unsigned>(Next()) << 8; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

SDL_Surface* MakeSheet() {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4 * kFrame, 3 * kFrame, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(surface, nullptr, 0);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < (row == 2 ? 2 : 4); ++column) {
            SDL_Rect frame{static_cast<Sint16>(column * kFrame + 1), static_cast<Sint16>(row * kFrame),
                           kFrame - 2, kFrame};
            SDL_FillRect(surface, &frame, 0x203040u + static_cast<Uint32>(row * 0x400000 + column * 0x2000));
        }
    return surface;
}

void CheckRanges(Veltrano_CSprite& sprite) {
    for (int anim = 1; anim <= 3; ++anim) {
        unsigned short frameCount = 0, start = 0, end = 0;
        sprite.GetAnimProperties(anim, nullptr, nullptr, &frameCount, nullptr, nullptr, &start, &end);
        if (start > end || end > frameCount) std::abort();
    }
    const int frame = sprite.GetFrame();
    if (frame < -1 || frame > 4) std::abort();
}

unsigned short AnimType(Bytes& in) {
    static const unsigned short kTypes[] = {2, 4, 8, KEEP_VALUE, 3, 0};
    return kTypes[in.Next() % 6];
}

unsigned short RangeValue(Bytes& in) {
    const uint8_t b = in.Next();
    return b == 0xFF ? KEEP_VALUE : static_cast<unsigned short>(b % 7);
}

void SetProperties(Veltrano_CSprite& sprite, Bytes& in) {
    const int anim = in.Signed() % 5;
    const unsigned short type = AnimType(in);
    const unsigned short state = static_cast<unsigned short>(in.Word());
    const short hotX = static_cast<short>(in.Signed());
    const short hotY = static_cast<short>(in.Signed());
    const unsigned short start = RangeValue(in);
    sprite.SetAnimProperties(anim, type, state, hotX, hotY, start, RangeValue(in));
}

void SetEffect(Veltrano_CSprite& sprite, Bytes& in) {
    const int effect = in.Next() % 7 - 1;
    const int mode = in.Signed();
    // Angles in any direction, scales kept small enough to allocate.
    const double angle = in.Signed() * 3.0;
    const double scale = (in.Next() % 64) / 16.0;
    sprite.SetEffect(effect, mode, angle, scale);
}

void Call(std::unique_ptr<Veltrano_CSprite> (&sprites)[kSprites], Bytes& in) {
    const uint8_t op = in.Next();
    Veltrano_CSprite* sprite = sprites[op >> 6 < kSprites ? op >> 6 : 0].get();
    if (sprite == nullptr) return;
    Veltrano_CSprite* other = sprites[in.Next() % kSprites].get();
    switch (op % 16) {
        case 0: sprite->SelectAnim(in.Next() < 200 ? 0x8000 + in.Next() % 4 : static_cast<int>(in.Word()) - 1); break;
        case 1: sprite->SelectFrame(in.Signed()); break;
        case 2: SetProperties(*sprite, in); break;
        case 3: sprite->SetFrameProperties(in.Signed() % 5, in.Signed() % 6, in.Word()); break;
        case 4: sprite->SetAnimFactor((in.Signed()) / 16.0f); break;
        case 5: (in.Next() & 1) ? sprite->Pause() : sprite->Resume(); break;
        case 6: sprite->SetPosition(in.Signed() * 2, in.Signed() * 2, in.Next() & 1); break;
        case 7: SetEffect(*sprite, in); break;
        case 8: sprite->Draw((in.Next() & 1) ? nullptr : offScreen); break;
        case 9:
            if (other != nullptr) {
                sprite->SetCollisionMethod(in.Signed() % 4);
                sprite->Collision(other, static_cast<short>(in.Signed()), static_cast<short>(in.Signed()),
                                  static_cast<short>(in.Signed()), static_cast<short>(in.Signed()), in.Next() & 1);
            }
            break;
        case 10: {
            SDL_Rect rect{static_cast<Sint16>(in.Signed()), static_cast<Sint16>(in.Signed()), 16, 16};
            sprite->Collision(offScreen, &rect, static_cast<short>(in.Signed()), -1, 0);
            break;
        }
        case 11: ticks += in.Word(); break;
        case 12: sprite->AutoRestore(static_cast<char>(in.Next() & 1)); break;
        case 13: sprite->SetAlpha(in.Next()); break;
        case 14: sprite->Clean(); break;
        default:
            // The master goes while its clones stay.
            sprites[0].reset();
            break;
    }
    for (auto& each : sprites)
        if (each != nullptr) CheckRanges(*each);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_setup::StartWithScreen("fuzz_sprite_calls", 64, 48);
    clock_source::SetTickFunction(FuzzTicks);
    sheet = MakeSheet();
    offScreen = SDL_CreateRGBSurface(SDL_SWSURFACE, 40, 30, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<Veltrano_CSprite> sprites[kSprites];
    for (auto& sprite : sprites) sprite = std::make_unique<Veltrano_CSprite>();
    if (sprites[0]->Create(sheet, "master", kFrame, kFrame) != 3) std::abort();
    for (int i = 1; i < kSprites; ++i)
        if (sprites[i]->Clone(sprites[0].get()) != 3) std::abort();
    ticks = 1;
    Bytes in(data, size);
    for (int calls = 0; in.More() && calls < 200; ++calls) Call(sprites, in);
    // Slaves go first or last, as the input left them.
    for (int i = kSprites - 1; i >= 0; --i) sprites[i].reset();
    return 0;
}

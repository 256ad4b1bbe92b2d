// The transformations with hostile arguments on tiny surfaces of every depth:
// rectangles negative and oversized, sizes and factors from tiny to huge,
// angles on and near multiples of 90 and near the +-0.001 shortcut, zooms
// from below zero to far too large, drawn onto a destination or returned.
// Afterwards the filters and RenderFX run over the same surfaces.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_IScreenFX.h"
#include "Veltrano_Main.h"

namespace {

// Reads the input front to back; past its end every value is 0.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }
    int16_t Short() { return static_cast<int16_t>(Byte() | Byte() << 8); }
    bool Done() const { return used_ >= size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t used_ = 0;
};

struct Format {
    int depth;
    Uint32 r, g, b, a;
};
constexpr Format kFormats[] = {
    {8, 0, 0, 0, 0},
    {15, 0x7C00, 0x03E0, 0x001F, 0},
    {16, 0xF800, 0x07E0, 0x001F, 0},
    {24, 0xFF0000, 0xFF00, 0xFF, 0},
    {24, 0xFF, 0xFF00, 0xFF0000, 0},
    {32, 0xFF0000, 0xFF00, 0xFF, 0},
    {32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000},
};

SDL_Surface* TinySurface(Input& in) {
    const Format& f = kFormats[in.Byte() % (sizeof kFormats / sizeof kFormats[0])];
    const int w = 1 + in.Byte() % 9, h = 1 + in.Byte() % 9;
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f.depth, f.r, f.g, f.b, f.a);
    if (s == nullptr) std::abort();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < s->pitch; ++x) static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = in.Byte();
    const uint8_t flags = in.Byte();
    if (flags & 1) SDL_SetColorKey(s, SDL_SRCCOLORKEY, in.Byte() | in.Byte() << 8);
    if (flags & 2) SDL_SetAlpha(s, SDL_SRCALPHA, in.Byte());
    if (flags & 4) SDL_SetAlpha(s, 0, 255);
    return s;
}

SDL_Rect Rect(Input& in) { return SDL_Rect{in.Short(), in.Short(), static_cast<Uint16>(in.Short()), static_cast<Uint16>(in.Short())}; }

// Small values mostly, and now and then one of the extremes.
int Size(Input& in) {
    static const int kExtremes[] = {0, -1, 1, 16383, 16384, -16384, 1 << 20, INT32_MIN, INT32_MAX};
    const uint8_t pick = in.Byte();
    if (pick >= 240) return kExtremes[pick % (sizeof kExtremes / sizeof kExtremes[0])];
    return static_cast<int8_t>(in.Byte()) % 40;
}

double Factor(Input& in) {
    static const double kExtremes[] = {0.0, -0.0, 1e-9, -1e-9, 1e9, -1e9, NAN, INFINITY, -INFINITY, 4096.0};
    const uint8_t pick = in.Byte();
    if (pick >= 230) return kExtremes[pick % (sizeof kExtremes / sizeof kExtremes[0])];
    return in.Short() / 1024.0;
}

double Angle(Input& in) {
    static const double kSpecial[] = {0.0, 90.0, -90.0, 180.0, 270.0, 360.0, -720.0, 0.001, -0.001,
                                      0.000999, -0.000999, 0.0011, 90.0000001, 1e300, NAN, INFINITY};
    const uint8_t pick = in.Byte();
    if (pick < 128) return kSpecial[pick % (sizeof kSpecial / sizeof kSpecial[0])];
    return in.Short() / 16.0;
}

void Transform(Input& in, SDL_Surface* src, SDL_Surface* dst) {
    const uint8_t op = in.Byte();
    SDL_Rect srcRect = Rect(in), dstRect = Rect(in);
    SDL_Rect* sr = (op & 0x10) ? &srcRect : nullptr;
    SDL_Rect* dr = (op & 0x20) ? &dstRect : nullptr;
    SDL_Surface* target = (op & 0x40) ? dst : nullptr;
    const int smooth = (op & 0x80) ? 1 : 0;
    SDL_Surface* out = nullptr;
    switch (op % 6) {
        case 0: out = IScreenFX->Mirror(src, sr, target, dr); break;
        case 1: out = IScreenFX->Flip(src, sr, target, dr); break;
        case 2: {
            const int w = Size(in), h = Size(in);
            out = IScreenFX->Resize(src, sr, smooth, w, h, target, dr);
            break;
        }
        case 3: {
            const double fx = Factor(in), fy = Factor(in);
            out = IScreenFX->Resize(src, sr, smooth, fx, fy, target, dr);
            break;
        }
        case 4: {
            const double angle = Angle(in), zoom = Factor(in);
            out = IScreenFX->RotateResize(src, sr, smooth, angle, zoom, target, dr);
            break;
        }
        default: out = IScreenFX->Rotate(src, sr, smooth, Angle(in), target, dr); break;
    }
    if (out != nullptr && out != dst) SDL_FreeSurface(out);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ILogSystem.Init("/dev/null", 4, 5, "fuzz_effects", nullptr, nullptr, nullptr);
    if (Veltrano.Init(0) != 1) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    SDL_Surface* src = TinySurface(in);
    SDL_Surface* dst = TinySurface(in);
    for (int i = 0; i < 16 && !in.Done(); ++i) Transform(in, src, dst);
    IScreenFX->Noise(src, static_cast<int8_t>(in.Byte()));
    IScreenFX->GammaCorrect(dst, in.Short(), in.Short(), in.Short());
    IScreenFX->Blur(src, static_cast<int8_t>(in.Byte()));
    IScreenFX->RenderFX(src, dst, in.Byte() % 14);
    IScreenFX->RenderFX(dst, dst, in.Byte() % 14);
    SDL_FreeSurface(src);
    SDL_FreeSurface(dst);
    return 0;
}

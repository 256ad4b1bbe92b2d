#include "core/random.h"

namespace {
constexpr int kShift = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7FFFFFFFu;
constexpr uint32_t kDefaultSeed = 5489u;
}  // namespace

void MersenneTwister::Seed(uint32_t seed) {
    state_[0] = seed;
    for (int i = 1; i < kStateSize; ++i)
        state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + static_cast<uint32_t>(i);
    index_ = kStateSize;
}

void MersenneTwister::Regenerate() {
    for (int i = 0; i < kStateSize; ++i) {
        uint32_t y = (state_[i] & kUpperMask) | (state_[(i + 1) % kStateSize] & kLowerMask);
        state_[i] = state_[(i + kShift) % kStateSize] ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
    }
    index_ = 0;
}

uint32_t MersenneTwister::Next() {
    if (index_ >= kStateSize) {
        if (index_ == kNeverSeeded) Seed(kDefaultSeed);
        Regenerate();
    }
    uint32_t y = state_[index_++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

double MersenneTwister::NextReal() { return Next() * (1.0 / 4294967295.0); }

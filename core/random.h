// MT19937, the 32-bit Mersenne Twister of Matsumoto and Nishimura. The core
// keeps one instance; other modules may run their own.
#ifndef VELTRANO_CORE_RANDOM_H
#define VELTRANO_CORE_RANDOM_H

#include <cstdint>

class MersenneTwister {
public:
    static constexpr int kStateSize = 624;
    static constexpr int kNeverSeeded = 625;

    void Seed(uint32_t seed);
    uint32_t Next();
    // Next() mapped onto [0, 1], both ends included.
    double NextReal();

private:
    void Regenerate();

    uint32_t state_[kStateSize] = {};
    int index_ = kNeverSeeded;
};

#endif

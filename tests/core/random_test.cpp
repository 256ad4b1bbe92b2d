#include <gtest/gtest.h>

#include <random>

#include "veltrano.h"

TEST(MersenneTwister, DefaultSeedGivesTheReferenceSequence) {
    Veltrano.RandSeed(5489);
    std::mt19937 reference;  // default seed 5489
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(Veltrano.Rand(), reference()) << "output " << i;
}

TEST(MersenneTwister, SeedOneAndArbitrarySeedsMatchTheReference) {
    Veltrano.RandSeed(1);
    EXPECT_EQ(Veltrano.Rand(), 1791095845u);
    for (unsigned int seed : {0u, 42u, 0xFFFFFFFFu, 19650218u}) {
        Veltrano.RandSeed(seed);
        std::mt19937 reference(seed);
        for (int i = 0; i < 1300; ++i) ASSERT_EQ(Veltrano.Rand(), reference()) << "seed " << seed;
    }
}

TEST(MersenneTwister, TenThousandthOutputOfTheDefaultSeed) {
    Veltrano.RandSeed(5489);
    unsigned int value = 0;
    for (int i = 0; i < 10000; ++i) value = Veltrano.Rand();
    EXPECT_EQ(value, 4123659995u);
}

TEST(MersenneTwister, RandRealStaysWithinZeroAndOne) {
    Veltrano.RandSeed(7);
    double lowest = 1.0, highest = 0.0;
    for (int i = 0; i < 5000; ++i) {
        double r = Veltrano.RandReal();
        ASSERT_GE(r, 0.0);
        ASSERT_LE(r, 1.0);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_LT(lowest, 0.01);
    EXPECT_GT(highest, 0.99);
    Veltrano.RandSeed(5489);
    EXPECT_DOUBLE_EQ(Veltrano.RandReal(), 3499211612.0 / 4294967295.0);
}

// A fresh core object's generator has never been seeded: its first number
// is the reference first output of MT19937.
#include <gtest/gtest.h>

#include "core/random.h"

TEST(MersenneTwister, NeverSeededGeneratorStartsWithTheReferenceValue) {
    MersenneTwister generator;
    EXPECT_EQ(generator.Next(), 3499211612u);
    MersenneTwister seeded;
    seeded.Seed(5489);
    generator = MersenneTwister();
    for (int i = 0; i < 700; ++i) ASSERT_EQ(generator.Next(), seeded.Next());
}

// The simulated host's rand/srand must draw what the Windows C runtime draws, so that the
// script's scatter is the same on both builds.
#include "support/c_runtime_rand.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CRuntimeRand, MatchesTheWindowsRuntimeSequence) {
    // The Windows runtime's well-known first draws after srand(1).
    std::srand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (const int value : expected) EXPECT_EQ(std::rand(), value);
}

TEST(CRuntimeRand, FollowsTheLinearCongruentialStepFromAnySeed) {
    const unsigned seeds[] = {0u, 100000u, 4294967295u, 123456789u};
    for (const unsigned seed : seeds) {
        std::srand(seed);
        test::WindowsRand reference{seed};
        for (int i = 0; i < 1000; ++i) {
            const int draw = std::rand();
            ASSERT_EQ(draw, reference.next()) << "seed " << seed << " draw " << i;
            ASSERT_GE(draw, 0);
            ASSERT_LE(draw, RAND_MAX < 32767 ? RAND_MAX : 32767);
        }
    }
    // Reseeding restarts the sequence.
    std::srand(7);
    const int first = std::rand();
    std::srand(7);
    EXPECT_EQ(std::rand(), first);
}

}  // namespace

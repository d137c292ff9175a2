// The Windows C runtime's rand generator, replayed by the tests to predict the draws the script makes.
#pragma once

#include <cstdint>

namespace test {

// rand() after srand(seed): seed * 214013 + 2531011, bits 16..30 of the new state.
struct WindowsRand {
    std::uint32_t seed;
    int next() {
        seed = seed * 214013u + 2531011u;
        return static_cast<int>((seed >> 16) & 0x7FFFu);
    }
};

}  // namespace test

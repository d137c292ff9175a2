// Small readers over the drawn frames and float arguments, shared by the interface tests (the
// readers over the recorded calls come with it).
#pragma once

#include "host/sim_host.h"
#include "support/recorded_calls.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace test {

inline float floatFromBits(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline std::vector<std::string> captionsOf(const sim::ScreenFrame& frame) {
    std::vector<std::string> captions;
    for (const auto& text : frame.texts) captions.push_back(text.caption);
    return captions;
}

}  // namespace test

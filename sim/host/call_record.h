// One recorded native call: when it happened, what was pushed and what the host answered.
#pragma once

#include "host/slots.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// The most arguments one call can push; the host refuses any beyond.
inline constexpr int maxNativeArgs = 12;

struct NativeCall {
    std::uint64_t frame = 0;
    std::uint32_t tick = 0;
    std::uint64_t hash = 0;
    int native = -1;  // index into the native table, -1 for an unknown hash
    int argCount = 0;
    std::array<std::uint64_t, maxNativeArgs> slots{};
    std::array<std::uint64_t, 3> result{};
    std::vector<std::string> texts;  // text arguments, copied at call time, in order

    std::int32_t intArg(int position) const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(slots[static_cast<std::size_t>(position)]));
    }
    float floatArg(int position) const { return floatFromSlot(slots[static_cast<std::size_t>(position)]); }
    std::int32_t intResult() const { return static_cast<std::int32_t>(static_cast<std::uint32_t>(result[0])); }
    float floatResult() const { return floatFromSlot(result[0]); }
    const std::string& name() const;
};

}  // namespace sim

// Small readers over the recorded calls and drawn frames, shared by the interface tests.
#pragma once

#include "host/sim_host.h"

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

// Copies of the recorded calls from `first` on (an index into host.calls()); copies, because the
// record grows while the script runs.
inline std::vector<sim::NativeCall> callsFrom(const sim::SimHost& host, std::size_t first) {
    return std::vector<sim::NativeCall>(host.calls().begin() + static_cast<std::ptrdiff_t>(first), host.calls().end());
}

inline std::vector<std::string> namesOf(const std::vector<sim::NativeCall>& calls) {
    std::vector<std::string> names;
    for (const auto& call : calls) names.push_back(call.name());
    return names;
}

// The calls of one native among `calls`, pointing into it.
inline std::vector<const sim::NativeCall*> named(const std::vector<sim::NativeCall>& calls, const std::string& name) {
    std::vector<const sim::NativeCall*> found;
    for (const auto& call : calls) {
        if (call.name() == name) found.push_back(&call);
    }
    return found;
}

inline std::vector<std::string> captionsOf(const sim::ScreenFrame& frame) {
    std::vector<std::string> captions;
    for (const auto& text : frame.texts) captions.push_back(text.caption);
    return captions;
}

}  // namespace test

// Small readers over the recorded calls and drawn frames, shared by the interface tests.
#pragma once

#include "host/sim_host.h"

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

// The recorded calls from `first` on (an index into host.calls()).
inline std::vector<const sim::NativeCall*> callsFrom(const sim::SimHost& host, std::size_t first) {
    std::vector<const sim::NativeCall*> found;
    for (std::size_t i = first; i < host.calls().size(); ++i) found.push_back(&host.calls()[i]);
    return found;
}

inline std::vector<std::string> namesOf(const std::vector<const sim::NativeCall*>& calls) {
    std::vector<std::string> names;
    for (const auto* call : calls) names.push_back(call->name());
    return names;
}

inline std::vector<const sim::NativeCall*> named(const std::vector<const sim::NativeCall*>& calls,
                                                 const std::string& name) {
    std::vector<const sim::NativeCall*> found;
    for (const auto* call : calls) {
        if (call->name() == name) found.push_back(call);
    }
    return found;
}

inline std::vector<std::string> captionsOf(const sim::ScreenFrame& frame) {
    std::vector<std::string> captions;
    for (const auto& text : frame.texts) captions.push_back(text.caption);
    return captions;
}

}  // namespace test

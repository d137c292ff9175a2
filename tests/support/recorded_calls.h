// Readers over the host's recorded native calls, shared by every test that looks at them.
#pragma once

#include "host/sim_host.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace test {

// Copies of the recorded calls from `first` on (an index into host.calls()); copies, because the
// record grows while the script runs.
inline std::vector<sim::NativeCall> callsFrom(const sim::SimHost& host, std::size_t first) {
    return std::vector<sim::NativeCall>(host.calls().begin() + static_cast<std::ptrdiff_t>(first), host.calls().end());
}

// The natives' names, in call order.
inline std::vector<std::string> namesOf(std::span<const sim::NativeCall> calls) {
    std::vector<std::string> names;
    for (const auto& call : calls) names.push_back(call.name());
    return names;
}

// The calls of one native among `calls`, pointing into it.
inline std::vector<const sim::NativeCall*> named(std::span<const sim::NativeCall> calls, const std::string& name) {
    std::vector<const sim::NativeCall*> found;
    for (const auto& call : calls) {
        if (call.name() == name) found.push_back(&call);
    }
    return found;
}

}  // namespace test

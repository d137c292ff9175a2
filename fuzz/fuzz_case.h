// One fuzz case: the real script run in the simulated host against the hostile world for a few
// thousand frames, with the script's invariants checked after every frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fuzz {

struct FuzzOutcome {
    std::vector<std::string> failures;  // empty when every check held on every frame
    int frames = 0;
    std::uint64_t nativeCalls = 0;
    std::uint64_t hostileAnswers = 0;
    std::uint64_t thrown = 0;
    std::map<std::string, std::uint64_t> callsByName;  // natives called at least once
    std::int32_t wantedLevel = 0;
    std::uint32_t endTick = 0;
};

FuzzOutcome runFuzzCase(const std::uint8_t* data, std::size_t size);
inline FuzzOutcome runFuzzCase(const std::vector<std::uint8_t>& input) {
    return runFuzzCase(input.data(), input.size());
}

}  // namespace fuzz

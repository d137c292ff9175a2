// One scenario fuzz case: the input read as a scenario file; when it is valid, a short run of the
// real script with narration, a trace and a report, all kept in memory, and the run's own
// consistency checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// The longest run a fuzz case plays; a longer scenario is cut short there.
constexpr std::uint64_t maxScenarioCaseFrames = 2000;

struct ScenarioCaseOutcome {
    bool parsed = false;
    std::string error;                  // the reader's message when the input was refused
    std::vector<std::string> failures;  // broken expectations of the tool itself
    std::uint64_t frames = 0;
    std::size_t narrationLines = 0;
    std::size_t traceBytes = 0;
    std::size_t reportBytes = 0;
};

ScenarioCaseOutcome runScenarioCase(std::string_view text);

}  // namespace fuzz

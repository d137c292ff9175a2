// Reads a scenario from a TOML file, checking every field; bad input becomes one ScenarioError.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "scenario/format/scenario.h"

namespace scenario {

// A scenario that cannot be run: where, which field, and why.
class ScenarioError : public std::runtime_error {
public:
    ScenarioError(Origin origin, std::string field, std::string reason);
    const Origin& origin() const { return origin_; }
    const std::string& field() const { return field_; }
    const std::string& reason() const { return reason_; }

private:
    Origin origin_;
    std::string field_;
    std::string reason_;
};

// The most frames a run may take (over four hours of game time at 60 frames per second), so
// that any scenario ends within seconds of wall time.
constexpr std::uint64_t maxRunFrames = 1000000;
// The most timeline entries, and the most peds and vehicles in the world: far above any real
// scenario, and low enough that reading and playing them costs a few tens of MiB.
constexpr std::size_t maxTimelineEntries = 50000;
constexpr std::size_t maxWorldPeds = 500;
constexpr std::size_t maxWorldVehicles = 500;
// The smallest screen on which the script's menu and status line lie inside it.
constexpr std::int32_t minScreenWidth = 320;
constexpr std::int32_t minScreenHeight = 240;

// Reads and checks the file ("-" for standard input); throws ScenarioError on any fault.
Scenario loadScenario(const std::string& path);

// The same for text already in memory; `file` names it in messages.
Scenario parseScenario(std::string_view text, const std::string& file);

}  // namespace scenario

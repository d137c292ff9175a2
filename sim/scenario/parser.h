// Reads a scenario from a TOML file, checking every field; bad input becomes one ScenarioError.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "scenario/scenario.h"

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

// Reads and checks the file; throws ScenarioError on any fault.
Scenario loadScenario(const std::string& path);

// The same for text already in memory; `file` names it in messages.
Scenario parseScenario(std::string_view text, const std::string& file);

}  // namespace scenario

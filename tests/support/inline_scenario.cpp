// Reading and playing scenario text written inside a test.
#include "support/inline_scenario.h"

#include "scenario/format/parser.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace test {

std::string parseError(const std::string& text) {
    try {
        scenario::parseScenario(text, "bad.toml");
    } catch (const scenario::ScenarioError& error) {
        return error.what();
    }
    return "(accepted)";
}

scenario::RunResult playInline(const std::string& text, bool crossCheck, bool report) {
    const scenario::Scenario s = scenario::parseScenario(text, "inline.toml");
    scenario::RunOptions options;
    if (crossCheck) options.probe = sim::readLinkedScriptView;
    options.collectReport = report;
    return scenario::runScenario(s, sim::linkedScript(), options);
}

}  // namespace test

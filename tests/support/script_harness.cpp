// Test harness around the simulated host and the linked script.
#include "support/script_harness.h"

#include "script_link/script_module.h"

namespace test {

ScriptHarness::ScriptHarness(sim::HostConfig config) : host(config) {
    host.load(sim::linkedScript());
    host.start();
}

ScriptHarness::~ScriptHarness() { host.stop(); }

void ScriptTest::TearDown() {
    for (const auto& error : host().errors()) ADD_FAILURE() << "host protocol error: " << error;
}

void ScriptTest::restart(sim::HostConfig config) {
    harness.reset();
    harness = std::make_unique<ScriptHarness>(config);
}

std::vector<std::string> callNames(const sim::SimHost& host) {
    std::vector<std::string> names;
    for (const auto& call : host.calls()) names.push_back(call.name());
    return names;
}

std::vector<std::string> callNamesInFrame(const sim::SimHost& host, std::uint64_t frame) {
    std::vector<std::string> names;
    for (const auto& call : host.calls()) {
        if (call.frame == frame) names.push_back(call.name());
    }
    return names;
}

}  // namespace test

// Test harness around the simulated host and the linked script.
#include "support/script_harness.h"

#include "script_link/script_module.h"

namespace test {

ScriptHarness::ScriptHarness(sim::HostConfig config) : host(config) {
    host.load(sim::linkedScript());
    host.start();
}

ScriptHarness::~ScriptHarness() { host.stop(); }

void ScriptTest::TearDown() { expectNoProtocolErrors(host()); }

void ScriptTest::restart(sim::HostConfig config) {
    harness.reset();
    harness = std::make_unique<ScriptHarness>(config);
}

void expectNoProtocolErrors(const sim::SimHost& host) {
    for (const auto& error : host.errors()) ADD_FAILURE() << "host protocol error: " << error;
}

}  // namespace test

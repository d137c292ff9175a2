// Runs the real script inside a fresh simulated host, for one test.
#pragma once

#include "host/sim_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace test {

// Loads the linked script with fresh state, sends the attach notification and starts it; the
// first runFrames() call runs scriptMain.
struct ScriptHarness {
    explicit ScriptHarness(sim::HostConfig config = {});
    ~ScriptHarness();

    sim::SimHost host;
};

// A test whose script must not trip the host's protocol checks.
class ScriptTest : public ::testing::Test {
protected:
    void TearDown() override;
    // Replace the harness, for tests that need another start tick or frame length.
    void restart(sim::HostConfig config);

    std::unique_ptr<ScriptHarness> harness = std::make_unique<ScriptHarness>();
    sim::SimHost& host() { return harness->host; }
};

// Fails the running test once for each protocol error the host recorded; every fixture's TearDown.
void expectNoProtocolErrors(const sim::SimHost& host);

}  // namespace test

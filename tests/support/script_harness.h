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

// Names of the recorded calls, in order, optionally only those of one frame.
std::vector<std::string> callNames(const sim::SimHost& host);
std::vector<std::string> callNamesInFrame(const sim::SimHost& host, std::uint64_t frame);

}  // namespace test

// A stand-in script entry that runs a test's action on the script fiber, inside a frame pass.
#pragma once

#include "host/sim_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace test {

// Starts a fresh script state with a probe entry instead of the real script. The probe reads the
// screen resolution at start, then on every pass stamps frameTick, draws the status message and
// runs the action handed to runInScript (once), where the real loop runs its menu; then it
// yields for one frame. An action that waits blocks the probe just as a spawn blocks the script.
class ProbeTest : public ::testing::Test {
protected:
    ProbeTest();
    ~ProbeTest() override;
    void TearDown() override;
    // Replace the host, for tests that need another start tick or screen size.
    void restart(sim::HostConfig config, std::int32_t screenWidth = 800, std::int32_t screenHeight = 600);

    // Runs `action` on the script fiber in the next frame's pass.
    void runInScript(std::function<void()> action);
    // Frames the probe passes through when it is not held inside an action.
    std::uint64_t probePasses() const;

    sim::SimHost& host() { return *host_; }

private:
    std::unique_ptr<sim::SimHost> host_;
};

}  // namespace test

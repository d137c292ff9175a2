// The simulated host's own protocol checks, clock and script lifecycle.
#include "host/sim_host.h"
#include "runtime/host.h"

#include "support/script_harness.h"

#include <gtest/gtest.h>

namespace {

TEST(SimHostProtocol, UnknownHashesAndWrongArgumentCountsAreErrors) {
    sim::SimHost host;
    nativeInit(0x1122334455667788ull);
    nativeCall();
    ASSERT_EQ(host.errors().size(), 1u);
    EXPECT_NE(host.errors()[0].find("unknown native"), std::string::npos);

    nativeInit(0x7239B21A38F536BAull);  // DOES_ENTITY_EXIST takes one argument
    nativePush64(1);
    nativePush64(2);
    nativeCall();
    ASSERT_EQ(host.errors().size(), 2u);
    EXPECT_NE(host.errors()[1].find("DOES_ENTITY_EXIST called with 2 arguments"), std::string::npos);
    EXPECT_EQ(host.calls().size(), 2u);
}

TEST(SimHostProtocol, ResultBlockIsClearedForEveryCall) {
    sim::SimHost host;
    nativeInit(0x14D6F5678D8F1B37ull);  // GET_GAMEPLAY_CAM_COORD: three slots written
    const unsigned long long* first = nativeCall();
    nativeInit(0x4F8644AF03D0E0D6ull);  // PLAYER_ID
    const unsigned long long* second = nativeCall();
    EXPECT_EQ(first, second);
    EXPECT_EQ(second[1], 0u);
    EXPECT_EQ(second[2], 0u);
}

// A tiny script for the lifecycle tests, independent of the real one.
int probeIterations = 0;
std::uint32_t probeWait = 0;

void probeEntry() {
    for (;;) {
        ++probeIterations;
        try {
            scriptWait(probeWait);
        } catch (...) {
        }
        scriptWait(0);
    }
}

int probeDllMain(void* module, std::uint32_t reason, void*) {
    if (reason == 1) scriptRegister(static_cast<HINSTANCE__*>(module), probeEntry);
    return 1;
}

TEST(SimHostLifecycle, WaitsLastTheirMillisecondsAndStopUnwinds) {
    sim::SimHost host(sim::HostConfig{.startTick = 1000, .frameMs = 10, .recordCalls = true});
    probeIterations = 0;
    probeWait = 35;
    host.load(sim::ScriptModule{nullptr, &probeDllMain});
    host.start();
    host.runFrames(1);
    EXPECT_EQ(probeIterations, 1);  // waiting 35 ms from tick 1000
    host.runFrames(3);              // ticks 1010, 1020, 1030: still waiting
    EXPECT_EQ(probeIterations, 1);
    host.runFrames(1);  // tick 1040: the wait is over, then scriptWait(0) yields
    host.runFrames(1);  // next frame: second iteration
    EXPECT_EQ(probeIterations, 2);
    host.stop();
    EXPECT_TRUE(host.scriptFinished());
    EXPECT_TRUE(host.errors().empty());
}

TEST(SimHostLifecycle, ClockStartsWhereAskedAndWraps) {
    sim::SimHost host(sim::HostConfig{.startTick = 4294967290u, .frameMs = 16, .recordCalls = true});
    host.runFrames(1);
    EXPECT_EQ(host.tick(), 4294967290u);
    host.runFrames(1);
    EXPECT_EQ(host.tick(), 10u);
    EXPECT_EQ(GetTickCount(), 10u);
    host.setKey(0x45, true);
    EXPECT_EQ(static_cast<std::uint16_t>(GetAsyncKeyState(0x45)), 0x8000u);
    EXPECT_EQ(GetAsyncKeyState(0x46), 0);
}

TEST(SimHostLifecycle, RunsTheScriptManyTimesInOneProcess) {
    for (int run = 0; run < 20; ++run) {
        test::ScriptHarness harness;
        harness.host.runFrames(10);
        EXPECT_EQ(harness.host.countCalls("GET_SCREEN_RESOLUTION"), 1u);
        harness.host.stop();
        EXPECT_TRUE(harness.host.scriptFinished());
        EXPECT_TRUE(harness.host.errors().empty());
    }
}

}  // namespace

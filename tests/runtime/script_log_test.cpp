// TobekGunner.log: its rate limit and size cap, the spawn outcomes it records, and the exceptions
// that end a frame pass.
#include "runtime/script_log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "crew/crew_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ScriptLogTest : public test::CrewTest {
protected:
    void SetUp() override {
        giveScriptFolder();
        startScript();
    }

    std::size_t count(const std::string& text) {
        const std::string all = log();
        std::size_t found = 0;
        for (auto at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) ++found;
        return found;
    }
};

TEST_F(ScriptLogTest, AnEventIsWrittenAtMostOncePerSecond) {
    logLine("event %d", 1);
    logLine("event %d", 1);
    logLine("event %d", 2);
    EXPECT_EQ(count("event 1"), 1u);
    EXPECT_EQ(count("event 2"), 1u);
    host().runFor(900);
    logLine("event %d", 1);
    EXPECT_EQ(count("event 1"), 1u);
    host().runFor(200);
    logLine("event %d", 1);
    EXPECT_EQ(count("event 1"), 2u);
}

TEST_F(ScriptLogTest, TheFileStopsShortOfOneMebibyteWithALastLineSayingSo) {
    // Distinct lines, so the rate limit lets every one through.
    for (int i = 0; i < 20000; ++i) logLine("line %05d %0100d", i, 0);
    const auto size = std::filesystem::file_size(folder->folder() / "TobekGunner.log");
    EXPECT_LE(size, logCapBytes);
    EXPECT_GT(size, logCapBytes - 2 * logLineCapacity);
    const std::string text = log();
    EXPECT_THAT(text.substr(text.size() - 60), HasSubstr("the log has reached 1 MiB; nothing more is written\n"));
    EXPECT_EQ(count("reached 1 MiB"), 1u);
    logLine("after the cap");
    EXPECT_EQ(count("after the cap"), 0u);
}

TEST_F(ScriptLogTest, ALongLineIsCutAndControlBytesAreReplaced) {
    const std::string longText(2000, 'x');
    logLine("%s", longText.c_str());
    logLine("two\nlines\r");
    const std::string text = log();
    EXPECT_THAT(text, HasSubstr(std::string(logLineCapacity - 1, 'x') + "\n"));
    EXPECT_THAT(text, Not(HasSubstr(std::string(logLineCapacity, 'x'))));
    EXPECT_THAT(text, HasSubstr("two?lines?\n"));
}

TEST_F(ScriptLogTest, APassThatThrowsLeavesALineWithTheExceptionsText) {
    host().throwOnNextCall("PLAYER_PED_ID");
    host().runFrames(3);
    EXPECT_THAT(log(), HasSubstr("a frame pass ended with an exception: std::bad_alloc"));
    // The loop goes on: the next passes ask again.
    const std::size_t before = host().countCalls("PLAYER_PED_ID");
    host().runFrames(3);
    EXPECT_GT(host().countCalls("PLAYER_PED_ID"), before);
}

TEST_F(ScriptLogTest, ARepeatingExceptionIsLoggedOncePerSecond) {
    for (int i = 0; i < 30; ++i) {
        host().throwOnNextCall("PLAYER_PED_ID");
        host().runFrames(1);
    }
    // 30 frames of 16 ms: under a second.
    EXPECT_EQ(count("a frame pass ended with an exception"), 1u);
}

TEST_F(ScriptLogTest, WithoutAFolderNothingIsWrittenAndTheScriptRuns) {
    restart(sim::HostConfig{});
    startScript();
    EXPECT_EQ(state.log.file, nullptr);
    logLine("nowhere to go");
    EXPECT_EQ(host().errors().size(), 0u);
}

struct SpawnFailure {
    const char* name;
    const char* model;
    void (*breakWorld)(sim::Model& model);
    const char* logged;
};

void PrintTo(const SpawnFailure& failure, std::ostream* out) { *out << failure.name; }

class SpawnFailureLog : public ScriptLogTest, public ::testing::WithParamInterface<SpawnFailure> {};

TEST_P(SpawnFailureLog, NamesTheReason) {
    const SpawnFailure& failure = GetParam();
    failure.breakWorld(*world().findModel(sim::hashName(failure.model)));
    spawnFromMenu(1);
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
    EXPECT_THAT(log(), HasSubstr(std::string(") failed: ") + failure.logged));
    EXPECT_THAT(log(), HasSubstr("spawning the Insurgent (gunner model "));
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, SpawnFailureLog,
    ::testing::Values(SpawnFailure{"VehicleModelMissing", "INSURGENT", [](sim::Model& m) { m.inImage = false; },
                                   "vehicle model missing"},
                      SpawnFailure{"VehicleModelTimedOut", "INSURGENT", [](sim::Model& m) { m.framesToLoad = -1; },
                                   "vehicle model wait timed out"},
                      SpawnFailure{"VehicleRefused", "INSURGENT", [](sim::Model& m) { m.refuseCreation = true; },
                                   "vehicle not created"},
                      SpawnFailure{"GunnerModelTimedOut", "s_m_y_blackops_01",
                                   [](sim::Model& m) { m.framesToLoad = -1; }, "gunner model wait timed out"},
                      SpawnFailure{"GunnerRefused", "s_m_y_blackops_01", [](sim::Model& m) { m.refuseCreation = true; },
                                   "gunner not created"}),
    [](const ::testing::TestParamInfo<SpawnFailure>& info) { return std::string(info.param.name); });

TEST_F(ScriptLogTest, AMissingGunnerModelFallsBackToTheStockOneAndTheLogNamesIt) {
    // This world lacks the add-on model.
    spawnFromMenu(0);
    EXPECT_THAT(log(), HasSubstr("spawned the Technical with gunner model s_m_y_blackops_01"));
    world().findModel(sim::hashName("s_m_y_blackops_01"))->inImage = false;
    spawnFromMenu(0);
    EXPECT_THAT(log(), HasSubstr("spawning the Technical (gunner model s_m_y_blackops_01) failed: gunner not "
                                 "created: neither model is in the game"));
}

TEST_F(ScriptLogTest, ASuccessfulSpawnNamesTheGunnerModel) {
    // This world lacks the add-on model, so the stock stand-in is the one named.
    spawnFromMenu(2);
    EXPECT_THAT(log(), HasSubstr("spawned the Valkyrie with gunner model s_m_y_blackops_01"));
}

}  // namespace

// Replays the fuzzer's seed corpus and every saved finding through the same harness, without
// libFuzzer, and checks that the harness's own checks do catch what they are meant to.
#include "fuzz_case.h"
#include "hostile_world.h"
#include "native_reference.h"

#include "runtime/state.h"

#include "host/native_table.h"
#include "host/sim_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> inputsIn(const std::string& folder) {
    std::vector<fs::path> paths;
    const fs::path dir = fs::path(TG_FUZZ_DIR) / folder;
    if (!fs::exists(dir)) return paths;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string describe(const fuzz::FuzzOutcome& outcome) {
    std::string text;
    for (const auto& failure : outcome.failures) text += "\n  " + failure;
    return text;
}

TEST(FuzzReplay, EveryRegressionInputRunsClean) {
    for (const auto& path : inputsIn("regressions")) {
        SCOPED_TRACE(path.filename().string());
        const auto outcome = fuzz::runFuzzCase(readFile(path));
        EXPECT_TRUE(outcome.failures.empty()) << describe(outcome);
        EXPECT_GE(outcome.frames, 1000);
    }
}

TEST(FuzzReplay, TheSeedCorpusRunsCleanAndReachesTheScriptsPaths) {
    const auto seeds = inputsIn("corpus");
    ASSERT_GE(seeds.size(), 5u) << "seed corpus missing under " << TG_FUZZ_DIR;
    std::map<std::string, std::uint64_t> reached;
    std::uint64_t hostile = 0;
    std::uint64_t thrown = 0;
    std::int32_t highestWanted = 0;
    for (const auto& path : seeds) {
        SCOPED_TRACE(path.filename().string());
        const auto outcome = fuzz::runFuzzCase(readFile(path));
        EXPECT_TRUE(outcome.failures.empty()) << describe(outcome);
        for (const auto& [name, count] : outcome.callsByName) reached[name] += count;
        hostile += outcome.hostileAnswers;
        thrown += outcome.thrown;
        highestWanted = std::max(highestWanted, outcome.wantedLevel);
    }
    // Between them the seeds drive the script into every native it has: the menu, each spawn
    // step, both fire modes, the scan, re-boarding and giving up the crew.
    for (int i = 0; i < sim::nativeCount(); ++i) {
        const std::string name(sim::nativeInfo(i).name);
        EXPECT_GT(reached[name], 0u) << name << " is never called by any seed";
    }
    EXPECT_EQ(highestWanted, 6) << "no seed fires long enough to reach the top wanted level";
    EXPECT_GT(hostile, 10000u);
    EXPECT_GT(thrown, 0u);
}

TEST(FuzzReplay, TheSameInputDecidesTheSameRun) {
    const auto seeds = inputsIn("corpus");
    ASSERT_FALSE(seeds.empty());
    const auto input = readFile(seeds.back());
    const auto first = fuzz::runFuzzCase(input);
    const auto second = fuzz::runFuzzCase(input);
    EXPECT_EQ(first.nativeCalls, second.nativeCalls);
    EXPECT_EQ(first.callsByName, second.callsByName);
    EXPECT_EQ(first.endTick, second.endTick);
}

TEST(FuzzReplay, TheNearWrapFlagCarriesTheClockAcrossTheWrap) {
    // Header: calm, start near the wrap with offset 1 (16 ms below 2^32), 1000 frames.
    const std::vector<std::uint8_t> input = {0, 0x01, 0, 0, 1, 0, 0, 0};
    const auto outcome = fuzz::runFuzzCase(input);
    EXPECT_TRUE(outcome.failures.empty()) << describe(outcome);
    EXPECT_LT(outcome.endTick, 0x80000000u);
    EXPECT_EQ(outcome.frames, 1000);
}

// The per-call checks, fed calls directly, so that each can be seen to fail.
class HostileWorldChecks : public ::testing::Test {
protected:
    void call(const std::string& name, std::vector<std::uint64_t> slots) {
        const int index = sim::findNativeByName(name);
        ASSERT_GE(index, 0) << name;
        slots.resize(sim::maxNativeArgs, 0);
        std::uint64_t result[3] = {};
        sim::NativeContext context{host, host.world(), slots.data(), static_cast<int>(argCount(name, slots)), result};
        world.answer(index, context);
        lastResult = static_cast<std::int32_t>(static_cast<std::uint32_t>(result[0]));
    }
    std::size_t argCount(const std::string& name, const std::vector<std::uint64_t>& /*slots*/) {
        return overrideCount >= 0 ? static_cast<std::size_t>(overrideCount)
                                  : sim::nativeInfo(sim::findNativeByName(name)).args.size();
    }

    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(8, 0);  // calm: every answer plausible
    fuzz::FuzzInput input{bytes.data(), bytes.size()};
    fuzz::HostileWorld world{input, fuzz::HostileWorldOptions{}};
    sim::SimHost host;
    int overrideCount = -1;
    std::int32_t lastResult = 0;
};

TEST_F(HostileWorldChecks, AHandleTheGameNeverGaveIsCaught) {
    call("DOES_ENTITY_EXIST", {0});
    EXPECT_TRUE(world.failures().empty());
    call("DOES_ENTITY_EXIST", {12345});
    ASSERT_EQ(world.failures().size(), 1u);
    EXPECT_NE(world.failures()[0].find("never gave"), std::string::npos);
}

TEST_F(HostileWorldChecks, AHandleFromAResultMayBePassedBack) {
    call("PLAYER_PED_ID", {});
    const std::int32_t ped = lastResult;
    ASSERT_NE(ped, 0);
    call("GET_VEHICLE_PED_IS_USING", {static_cast<std::uint32_t>(ped)});
    call("PLAYER_ID", {});
    call("GET_PLAYER_GROUP", {static_cast<std::uint32_t>(lastResult)});
    EXPECT_TRUE(world.failures().empty()) << world.failures().front();
    call("GET_PLAYER_GROUP", {7});
    EXPECT_EQ(world.failures().size(), 1u);
}

TEST_F(HostileWorldChecks, AWrongArgumentCountOrUpperHalfIsCaught) {
    overrideCount = 2;
    call("SET_TEXT_FONT", {0, 0});
    overrideCount = -1;
    call("SET_TEXT_FONT", {0x100000000ull});
    ASSERT_EQ(world.failures().size(), 2u);
    EXPECT_NE(world.failures()[0].find("arguments"), std::string::npos);
    EXPECT_NE(world.failures()[1].find("upper half"), std::string::npos);
}

TEST_F(HostileWorldChecks, TheNearbyPedsQueryMustGetTheScriptsBufferAndIsAnsweredInsideIt) {
    std::int32_t elsewhere[102] = {};
    call("PLAYER_PED_ID", {});
    const auto ped = static_cast<std::uint32_t>(lastResult);
    call("GET_PED_NEARBY_PEDS", {ped, reinterpret_cast<std::uintptr_t>(elsewhere), 0xFFFFFFFFu});
    ASSERT_EQ(world.failures().size(), 1u);
    EXPECT_NE(world.failures()[0].find("does not own"), std::string::npos);
    EXPECT_EQ(elsewhere[2], 0) << "a foreign pointer must not be written through";
}

TEST_F(HostileWorldChecks, ShotOrdersCloserThanTheThrottleAreCaught) {
    call("PLAYER_PED_ID", {});
    const auto ped = static_cast<std::uint32_t>(lastResult);
    state.frameTick = 5000;
    call("TASK_VEHICLE_SHOOT_AT_COORD", {ped, 0, 0, 0, 0x3F800000u});
    state.frameTick = 5101;
    call("TASK_VEHICLE_SHOOT_AT_COORD", {ped, 0, 0, 0, 0x3F800000u});
    EXPECT_TRUE(world.failures().empty());
    state.frameTick = 5201;
    call("TASK_VEHICLE_SHOOT_AT_COORD", {ped, 0, 0, 0, 0x3F800000u});
    EXPECT_EQ(world.failures().size(), 1u);
}

TEST_F(HostileWorldChecks, AWantedLevelThatFallsOrPassesSixIsCaught) {
    call("PLAYER_ID", {});
    call("SET_PLAYER_WANTED_LEVEL", {0, 1, 0});
    call("SET_PLAYER_WANTED_LEVEL", {0, 2, 0});
    EXPECT_TRUE(world.failures().empty());
    call("SET_PLAYER_WANTED_LEVEL", {0, 2, 0});
    call("SET_PLAYER_WANTED_LEVEL", {0, 7, 0});
    EXPECT_EQ(world.failures().size(), 2u);
}

TEST(NativeReference, ReadsTheGamesListWithParameterKinds) {
    const auto* nearby = fuzz::findReferenceNative(0x23F8F5FC7E8C4A6Bull);
    ASSERT_NE(nearby, nullptr) << "native list not read from " << fuzz::nativeListPath();
    EXPECT_EQ(nearby->name, "GET_PED_NEARBY_PEDS");
    EXPECT_EQ(nearby->result, fuzz::ValueKind::Int);
    ASSERT_EQ(nearby->params.size(), 3u);
    EXPECT_EQ(nearby->params[0], fuzz::ValueKind::Handle);
    EXPECT_EQ(nearby->params[1], fuzz::ValueKind::Pointer);
    const auto* wanted = fuzz::findReferenceNative(0x238DB2A2C23EE9EFull);
    ASSERT_NE(wanted, nullptr);
    EXPECT_EQ(wanted->params[0], fuzz::ValueKind::Player);
    EXPECT_EQ(fuzz::findReferenceNative(0x1234), nullptr);
}

}  // namespace

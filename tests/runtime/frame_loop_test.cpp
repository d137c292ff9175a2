// Library entry, script start and the frame loop, run in the simulated host.
#include "runtime/entry.h"
#include "runtime/state.h"
#include "ui/status_text.h"

#include "script_link/script_module.h"
#include "support/c_runtime_rand.h"
#include "support/recorded_calls.h"
#include "support/script_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

using test::namesOf;
using test::ScriptTest;
using test::WindowsRand;

// Attach registers the script and detach unregisters it (the host reloads scripts); the thread
// notifications do nothing, and no native is called from DllMain.
TEST(LibraryEntry, ProcessAttachRegistersAndProcessDetachUnregisters) {
    sim::SimHost host;
    auto* const module = reinterpret_cast<HMODULE>(std::uintptr_t{0x7FF700000000});
    for (DWORD reason : {DWORD{DLL_THREAD_ATTACH}, DWORD{DLL_THREAD_DETACH}}) {
        EXPECT_EQ(DllMain(module, reason, nullptr), TRUE);
        EXPECT_FALSE(host.registered());
    }
    EXPECT_EQ(DllMain(module, DLL_PROCESS_ATTACH, nullptr), TRUE);
    EXPECT_TRUE(host.registered());
    EXPECT_EQ(DllMain(module, DLL_THREAD_DETACH, nullptr), TRUE);
    EXPECT_TRUE(host.registered());
    EXPECT_EQ(host.unregisterCount(), 0u);

    EXPECT_EQ(DllMain(module, DLL_PROCESS_DETACH, nullptr), TRUE);
    EXPECT_FALSE(host.registered());
    EXPECT_EQ(host.unregisterCount(), 1u);
    EXPECT_TRUE(host.errors().empty()) << host.errors().front();  // the same module that registered
    EXPECT_EQ(host.callCount(), 0u);
}

TEST_F(ScriptTest, UnloadingARunningScriptUnregistersItAndItRunsNoMore) {
    host().runFrames(5);
    const std::uint64_t calls = host().callCount();
    ASSERT_GT(calls, 0u);
    host().unload(sim::linkedScript());
    EXPECT_EQ(host().unregisterCount(), 1u);
    EXPECT_FALSE(host().registered());
    host().runFrames(5);
    EXPECT_EQ(host().callCount(), calls);
}

TEST(LibraryEntry, TheBufferExistsBeforeAttach) { EXPECT_NE(state.nearbyPeds, nullptr); }

TEST_F(ScriptTest, StartReadsTheResolutionAndRequestsDartsOnce) {
    host().world().screen.width = 800;
    host().world().screen.height = 600;
    host().runFrames(300);

    ASSERT_EQ(host().countCalls("GET_SCREEN_RESOLUTION"), 1u);
    const auto darts = host().callsNamed("REQUEST_STREAMED_TEXTURE_DICT");
    ASSERT_EQ(darts.size(), 1u);
    EXPECT_EQ(darts[0]->texts.at(0), "Darts");
    EXPECT_EQ(darts[0]->slots[1], 0u);
    EXPECT_EQ(host().calls().at(0).name(), "GET_SCREEN_RESOLUTION");
    EXPECT_EQ(host().calls().at(1).name(), "REQUEST_STREAMED_TEXTURE_DICT");
    EXPECT_EQ(state.screenWidth, 800);
    EXPECT_EQ(state.screenHeight, 600);
}

TEST_F(ScriptTest, YieldsOncePerFrameAndStampsTheFrameTick) {
    host().runFrames(250);
    EXPECT_EQ(host().waitCount(), 250u);
    EXPECT_EQ(state.frameTick, host().tick());
}

TEST_F(ScriptTest, AResolutionChangeLaterIsNotSeen) {
    host().world().screen.width = 800;
    host().world().screen.height = 600;
    host().runFrames(5);
    host().world().screen.width = 1920;
    host().world().screen.height = 1080;
    host().runFrames(5);
    EXPECT_EQ(state.screenWidth, 800);
    EXPECT_EQ(state.screenHeight, 600);
}

TEST_F(ScriptTest, SeedsTheGeneratorWithTheStartTick) {
    restart(sim::HostConfig{.startTick = 12345, .frameMs = 16, .recordCalls = true});
    host().runFrames(3);
    // The generator is the Windows runtime's, seeded with the tick.
    EXPECT_EQ(std::rand(), WindowsRand{12345}.next());
}

TEST_F(ScriptTest, EveryRunStartsFromFreshState) {
    host().runFrames(20);
    state.menuSelection = 2;
    state.wantedProgress = 3.5f;
    restart(sim::HostConfig{});
    EXPECT_EQ(state.menuSelection, 0);
    EXPECT_EQ(state.wantedProgress, 1.0f);
    EXPECT_TRUE(state.reentryArmed);
    EXPECT_EQ(state.gunnerSeat, -1);
    host().runFrames(2);
    EXPECT_EQ(host().countCalls("GET_SCREEN_RESOLUTION"), 1u);
}

// A pass with the status message showing and the menu open, at 800 x 600.
class FramePassTest : public ScriptTest {
protected:
    static constexpr int keyControl = 0x11;
    static constexpr int keyI = 0x49;
    static constexpr int keyNumpad2 = 0x62;

    void SetUp() override {
        host().world().screen.width = 800;
        host().world().screen.height = 600;
        host().runFrames(2);
        setStatusText("Technical vehicle created.", 3000);
        host().setKey(keyControl, true);
        host().setKey(keyI, true);
        host().runFrames(1);
        host().setKey(keyControl, false);
        host().setKey(keyI, false);
    }

    std::vector<std::string> captions() const {
        std::vector<std::string> drawn;
        for (const auto& text : harness->host.world().screen.current.texts) drawn.push_back(text.caption);
        return drawn;
    }

    const std::vector<std::string> everything = {"Technical vehicle created.",
                                                 "Tobek gunner - Select a vehicle",
                                                 "Technical",
                                                 "Insurgent",
                                                 "Valkyrie",
                                                 "Close menu"};
};

TEST_F(FramePassTest, TheStatusMessageTheMenuAndTheSupervisorRunInThatOrder) {
    const std::size_t first = host().calls().size();
    host().runFrames(1);
    EXPECT_EQ(captions(), everything);
    // The message's box closes its line before the menu's first native.
    const std::vector<std::string> names = namesOf(std::span(host().calls()).subspan(first));
    // 20 natives for the boxed message, 18 for each of the five menu lines, one per game control
    // the open menu holds back, then the supervisor's five (no crew yet).
    const std::size_t heldBack = state.menuControls.count;
    ASSERT_GT(heldBack, 0u);
    ASSERT_EQ(names.size(), 20u + 5u * 18u + heldBack + 5u);
    EXPECT_EQ(names[19], "DRAW_RECT");
    EXPECT_EQ(names[20], "SET_TEXT_FONT");
    EXPECT_EQ(names[109], "END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING");
    for (std::size_t i = 0; i < heldBack; ++i) EXPECT_EQ(names[110 + i], "DISABLE_CONTROL_ACTION");
    EXPECT_EQ(names[110 + heldBack], "PLAYER_ID");
}

TEST_F(FramePassTest, AnExceptionInTheStatusMessageSkipsTheMenuForThatPassOnly) {
    host().setKey(keyNumpad2, true);
    const std::uint64_t waits = host().waitCount();
    host().throwOnNextCall("SET_TEXT_FONT");
    host().runFrames(1);
    EXPECT_TRUE(captions().empty());
    EXPECT_EQ(state.menuSelection, 0);
    EXPECT_EQ(state.frameTick, host().tick());
    EXPECT_EQ(host().waitCount(), waits + 1);

    host().runFrames(1);
    EXPECT_EQ(captions(), everything);
    EXPECT_EQ(state.menuSelection, 1);
    EXPECT_EQ(host().waitCount(), waits + 2);
}

TEST_F(FramePassTest, AnExceptionInTheMenuSkipsTheRestOfItsPassOnly) {
    // Once the title has been measured, the next native (the first of "Technical") throws.
    bool armed = true;
    int titleComponents = 0;
    host().addCallObserver([&](const sim::NativeCall& call) {
        if (!armed || call.name() != "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME") return;
        if (call.texts.at(0) == everything[1] && ++titleComponents == 2) {
            armed = false;
            host().throwOnNextCall("SET_TEXT_FONT");
        }
    });
    host().setKey(keyNumpad2, true);
    const std::uint64_t waits = host().waitCount();
    host().runFrames(1);
    EXPECT_FALSE(armed);
    EXPECT_EQ(captions(), (std::vector<std::string>{everything[0], everything[1]}));
    EXPECT_EQ(state.menuSelection, 0);  // the keys come after the drawing
    EXPECT_EQ(host().waitCount(), waits + 1);

    host().runFrames(1);
    EXPECT_EQ(captions(), everything);
    EXPECT_EQ(state.menuSelection, 1);
}

}  // namespace

// The Ctrl+I vehicle menu, run by the real script: opening, drawing, navigation, throttle, choosing.
#include "runtime/state.h"

#include "support/script_harness.h"
#include "ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace {

using sim::floatFromSlot;

constexpr int keyReturn = 0x0D;
constexpr int keyControl = 0x11;
constexpr int keyPageUp = 0x21;
constexpr int keyPageDown = 0x22;
constexpr int keyI = 0x49;
constexpr int keyNumpad2 = 0x62;
constexpr int keyNumpad5 = 0x65;
constexpr int keyNumpad8 = 0x68;

const std::vector<std::string> menuCaptions = {"Tobek gunner - Select a vehicle", "Technical", "Insurgent", "Valkyrie",
                                               "Close menu"};

class VehicleMenuTest : public test::ScriptTest {
protected:
    void SetUp() override { startAt(sim::HostConfig{}); }

    void startAt(sim::HostConfig config) {
        restart(config);
        host().world().screen.width = 800;
        host().world().screen.height = 600;
        host().runFrames(2);
    }

    void hold(std::initializer_list<int> keys, bool down) {
        for (int key : keys) host().setKey(key, down);
    }

    // Keys down for one frame, then up.
    void press(std::initializer_list<int> keys) {
        hold(keys, true);
        host().runFrames(1);
        hold(keys, false);
    }

    void openMenu() {
        press({keyControl, keyI});
        host().runFrames(1);
        ASSERT_TRUE(state.menuOpen);
    }

    // A press the throttle accepts, followed by enough time for the next one.
    void step(int key) {
        press({key});
        host().runFor(250);
    }

    const sim::ScreenFrame& screen() { return host().world().screen.current; }

    // The menu keys read during the last frame, in order.
    std::vector<int> menuKeysReadLastFrame() {
        const std::set<int> menuKeys = {keyReturn, keyControl, keyPageUp,  keyPageDown,
                                        keyI,      keyNumpad2, keyNumpad5, keyNumpad8};
        std::vector<int> keys;
        for (const auto& read : host().keyReads()) {
            if (read.frame == host().frame() && menuKeys.count(read.virtualKey)) keys.push_back(read.virtualKey);
        }
        return keys;
    }
};

TEST_F(VehicleMenuTest, OnlyControlAndITogetherOpenTheMenuAndItShowsFromTheNextFrame) {
    hold({keyI}, true);
    host().runFrames(10);
    hold({keyI}, false);
    EXPECT_FALSE(state.menuOpen);
    hold({keyControl}, true);
    host().runFrames(10);
    hold({keyControl}, false);
    EXPECT_FALSE(state.menuOpen);
    EXPECT_TRUE(screen().texts.empty());

    press({keyControl, keyI});
    EXPECT_TRUE(state.menuOpen);
    EXPECT_TRUE(screen().texts.empty());
    EXPECT_EQ(state.menuKeyTick, 0u);
    EXPECT_EQ(state.menuSelection, 0);
    host().runFrames(1);
    EXPECT_EQ(test::captionsOf(screen()), menuCaptions);
}

TEST_F(VehicleMenuTest, TheFiveLinesSitAtTheTopLeftInTheirStylesWithoutBoxes) {
    openMenu();
    const std::size_t first = host().calls().size();
    host().runFrames(1);
    const auto calls = test::callsFrom(host(), first);

    const auto& texts = screen().texts;
    ASSERT_EQ(test::captionsOf(screen()), menuCaptions);
    // Tops 25, 55, 75, 95 and 117 pixels at 800 x 600, each step in single precision.
    const std::vector<std::uint32_t> yBits = {0x3d950daf, 0x3dfb7415, 0x3e1fdc2d, 0x3e41fe4f, 0x3e678a42};
    const std::vector<float> scales = {0.50f, 0.40f, 0.35f, 0.35f, 0.35f};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].caption);
        EXPECT_EQ(texts[i].x, floatFromSlot(0x3d333333));  // 35 pixels from the left
        EXPECT_EQ(texts[i].y, floatFromSlot(yBits[i]));
        EXPECT_EQ(texts[i].style.scale, scales[i]);
        EXPECT_FALSE(texts[i].style.centre);
        const bool highlighted = i == 1;
        EXPECT_EQ(texts[i].style.colour.r, highlighted ? 98 : 255);
        EXPECT_EQ(texts[i].style.colour.g, highlighted ? 190 : 255);
        EXPECT_EQ(texts[i].style.colour.b, 255);
    }
    EXPECT_TRUE(screen().rects.empty());
    EXPECT_TRUE(test::named(calls, "GET_RENDERED_CHARACTER_HEIGHT").empty());
    EXPECT_EQ(test::named(calls, "END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING").size(), 5u);
}

TEST_F(VehicleMenuTest, KeysAreReadInOrderUpToTheFirstOneDown) {
    using Keys = std::vector<int>;
    host().runFrames(1);
    EXPECT_EQ(menuKeysReadLastFrame(), (Keys{keyI}));
    hold({keyI}, true);
    host().runFrames(1);
    EXPECT_EQ(menuKeysReadLastFrame(), (Keys{keyI, keyControl}));
    hold({keyControl}, true);
    host().runFrames(1);
    hold({keyI, keyControl}, false);
    ASSERT_TRUE(state.menuOpen);

    host().runFrames(1);
    EXPECT_EQ(menuKeysReadLastFrame(), (Keys{keyNumpad8, keyPageUp, keyNumpad2, keyPageDown, keyNumpad5, keyReturn}));
    hold({keyPageUp}, true);
    host().runFrames(1);
    hold({keyPageUp}, false);
    EXPECT_EQ(menuKeysReadLastFrame(), (Keys{keyNumpad8, keyPageUp}));
    host().runFrames(1);  // within 200 ms of the move: no key is read
    EXPECT_EQ(menuKeysReadLastFrame(), Keys{});

    host().runFor(250);
    hold({keyNumpad2}, true);
    host().runFrames(1);
    hold({keyNumpad2}, false);
    EXPECT_EQ(menuKeysReadLastFrame(), (Keys{keyNumpad8, keyPageUp, keyNumpad2}));
    host().runFor(250);
    step(keyNumpad8);  // back to "Close menu", so that choosing spawns nothing
    hold({keyReturn}, true);
    host().runFrames(1);
    hold({keyReturn}, false);
    EXPECT_EQ(menuKeysReadLastFrame(), (Keys{keyNumpad8, keyPageUp, keyNumpad2, keyPageDown, keyNumpad5, keyReturn}));
}

TEST_F(VehicleMenuTest, EachUpAndDownKeyMovesTheHighlightAndWrapsAtBothEnds) {
    openMenu();
    step(keyNumpad8);
    EXPECT_EQ(state.menuSelection, 3);
    step(keyPageUp);
    EXPECT_EQ(state.menuSelection, 2);
    step(keyNumpad2);
    EXPECT_EQ(state.menuSelection, 3);
    step(keyPageDown);
    EXPECT_EQ(state.menuSelection, 0);
    host().runFrames(1);
    EXPECT_EQ(screen().texts.at(1).style.scale, 0.40f);
}

TEST_F(VehicleMenuTest, AHeldKeyMovesOnceForEveryMoreThan200Milliseconds) {
    openMenu();
    hold({keyNumpad2}, true);
    std::vector<std::uint32_t> stamps;
    for (int frame = 0; frame < 70; ++frame) {  // 1120 ms
        host().runFrames(1);
        if (stamps.empty() || stamps.back() != state.menuKeyTick) stamps.push_back(state.menuKeyTick);
    }
    ASSERT_EQ(stamps.size(), 6u);
    for (std::size_t i = 1; i < stamps.size(); ++i) EXPECT_EQ(stamps[i] - stamps[i - 1], 208u);  // 13 frames
    EXPECT_EQ(state.menuSelection, 6 % 4);
}

TEST_F(VehicleMenuTest, TheThrottleKeepsWorkingAcrossTheTickWrap) {
    startAt(sim::HostConfig{.startTick = 0xFFFFFFFFu - 150u, .frameMs = 16, .recordCalls = true});
    openMenu();
    hold({keyNumpad2}, true);
    std::vector<std::uint32_t> stamps;
    for (int frame = 0; frame < 70; ++frame) {
        host().runFrames(1);
        if (stamps.empty() || stamps.back() != state.menuKeyTick) stamps.push_back(state.menuKeyTick);
    }
    ASSERT_EQ(stamps.size(), 6u);
    for (std::size_t i = 1; i < stamps.size(); ++i) EXPECT_EQ(stamps[i] - stamps[i - 1], 208u);
    EXPECT_LT(stamps.back(), stamps.front());
}

TEST_F(VehicleMenuTest, AChooseKeyWithin200MillisecondsOfAMoveWaitsForTheThrottle) {
    openMenu();
    press({keyNumpad8});  // to "Close menu"
    const std::uint32_t moved = state.menuKeyTick;
    hold({keyReturn}, true);
    while (state.menuOpen && host().tick() - moved < 1000) host().runFrames(1);
    EXPECT_FALSE(state.menuOpen);
    EXPECT_EQ(host().tick() - moved, 208u);
    EXPECT_EQ(state.menuKeyTick, moved);
}

TEST_F(VehicleMenuTest, UpBeatsDownAndAMoveBeatsChoosing) {
    openMenu();
    step(keyPageDown);  // Insurgent
    hold({keyNumpad8, keyNumpad2}, true);
    host().runFrames(1);
    hold({keyNumpad8, keyNumpad2}, false);
    EXPECT_EQ(state.menuSelection, 0);

    host().runFor(250);
    hold({keyPageDown, keyReturn}, true);
    host().runFrames(1);
    hold({keyPageDown, keyReturn}, false);
    EXPECT_TRUE(state.menuOpen);
    EXPECT_EQ(state.menuSelection, 1);

    host().runFor(250);
    hold({keyPageUp, keyNumpad5}, true);
    host().runFrames(1);
    hold({keyPageUp, keyNumpad5}, false);
    EXPECT_TRUE(state.menuOpen);
    EXPECT_EQ(state.menuSelection, 0);
}

TEST_F(VehicleMenuTest, CloseMenuClosesWithoutSpawningAnything) {
    openMenu();
    step(keyNumpad8);
    const std::size_t first = host().calls().size();
    const std::uint64_t waits = host().waitCount();
    press({keyNumpad5});
    EXPECT_FALSE(state.menuOpen);
    host().runFrames(30);

    // Nothing but the menu's drawing and the supervisor's checks in the choosing frame, and no
    // wait inside it.
    const std::set<std::string> drawing = {"SET_TEXT_FONT",
                                           "SET_TEXT_SCALE",
                                           "SET_TEXT_COLOUR",
                                           "SET_TEXT_CENTRE",
                                           "SET_TEXT_DROPSHADOW",
                                           "SET_TEXT_EDGE",
                                           "BEGIN_TEXT_COMMAND_DISPLAY_TEXT",
                                           "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME",
                                           "END_TEXT_COMMAND_DISPLAY_TEXT",
                                           "BEGIN_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING",
                                           "END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING",
                                           "PLAYER_ID",
                                           "PLAYER_PED_ID",
                                           "GET_VEHICLE_PED_IS_USING",
                                           "DOES_ENTITY_EXIST",
                                           "DISABLE_CONTROL_ACTION",
                                           "IS_CUTSCENE_ACTIVE"};
    const auto calls = test::callsFrom(host(), first);
    ASSERT_FALSE(calls.empty());
    for (const auto& call : calls) {
        if (call.frame == calls.front().frame) {
            EXPECT_TRUE(drawing.count(call.name())) << call.name();
        }
    }
    EXPECT_EQ(host().waitCount() - waits, 31u);
    EXPECT_EQ(host().countCalls("GET_HASH_KEY"), 0u);
    EXPECT_EQ(host().countCalls("CREATE_VEHICLE"), 0u);
    EXPECT_EQ(state.crewVehicle, 0);
    EXPECT_EQ(state.gunnerPed, 0);
    EXPECT_EQ(state.menuSelection, 3);
    EXPECT_TRUE(screen().texts.empty());
}

TEST_F(VehicleMenuTest, ControlIWhileOpenChangesNothing) {
    openMenu();
    hold({keyControl, keyI}, true);
    host().runFrames(20);
    EXPECT_TRUE(state.menuOpen);
    EXPECT_EQ(state.menuSelection, 0);
    EXPECT_EQ(state.menuKeyTick, 0u);
}

TEST_F(VehicleMenuTest, AChosenVehicleStaysHighlightedWhenTheMenuReopens) {
    openMenu();
    step(keyNumpad2);
    step(keyNumpad2);  // Valkyrie
    press({keyReturn});
    ASSERT_TRUE(host().runUntil([] { return !state.menuOpen; }, 2000));
    host().runFor(500);
    openMenu();
    EXPECT_EQ(state.menuSelection, 2);
    ASSERT_EQ(screen().texts.size(), 5u);
    EXPECT_EQ(screen().texts[3].caption, "Valkyrie");
    EXPECT_EQ(screen().texts[3].style.colour.r, 98);
    EXPECT_EQ(screen().texts[1].style.colour.r, 255);
}

TEST_F(VehicleMenuTest, OpeningDoesNotStampTheKeyTickSoAHeldChooseKeyActsAtOnce) {
    openMenu();
    step(keyNumpad8);  // "Close menu"
    const std::uint32_t moved = state.menuKeyTick;
    press({keyReturn});
    ASSERT_FALSE(state.menuOpen);
    host().runFor(500);

    hold({keyControl, keyI, keyReturn}, true);
    host().runFrames(1);
    EXPECT_TRUE(state.menuOpen);
    host().runFrames(1);
    EXPECT_FALSE(state.menuOpen);
    EXPECT_EQ(test::captionsOf(screen()), menuCaptions);  // drawn once, then chosen
    EXPECT_EQ(state.menuKeyTick, moved);
}

}  // namespace

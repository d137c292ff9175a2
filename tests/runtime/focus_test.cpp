// Keys count only while the game's window has the focus: keys typed into another program neither
// open the menu, spawn a crew nor order a shot, and leave every throttle stamp alone.
#include "crew/crew_fixture.h"
#include "runtime/platform_calls.h"

#include <gtest/gtest.h>

namespace {

class FocusTest : public test::CrewTest {
protected:
    void SetUp() override { startScript(); }
    void hold(std::initializer_list<int> keys, bool down) {
        for (const int key : keys) host().setKey(key, down);
    }
};

TEST_F(FocusTest, AKeyReadsDownOnlyWhileTheForegroundWindowIsTheGames) {
    host().setKey(Key::letterE, true);
    EXPECT_TRUE(isKeyDown(Key::letterE));
    host().setFocus(false);
    EXPECT_FALSE(isKeyDown(Key::letterE));
    EXPECT_FALSE(isKeyDown(Key::leftButton));
    host().setFocus(true);
    EXPECT_TRUE(isKeyDown(Key::letterE));
    EXPECT_FALSE(isKeyDown(Key::letterI));
}

TEST_F(FocusTest, ControlIAndEnterInAnotherWindowOpenNothingAndSpawnNothing) {
    host().setFocus(false);
    hold({Key::control, Key::letterI}, true);
    host().runFor(500);
    EXPECT_FALSE(state.menuOpen);

    // Open the menu with the focus, then press Enter elsewhere: nothing is chosen.
    host().setFocus(true);
    host().runFrames(2);
    ASSERT_TRUE(state.menuOpen);
    hold({Key::control, Key::letterI}, false);
    host().setFocus(false);
    hold({Key::returnKey, Key::pageDown}, true);
    const Tick keyTick = state.menuKeyTick;
    const std::size_t from = mark();
    host().runFor(1000);
    EXPECT_TRUE(state.menuOpen);
    EXPECT_EQ(state.menuSelection, 0);
    EXPECT_EQ(state.menuKeyTick, keyTick) << "no throttle stamp without the focus";
    EXPECT_TRUE(callsSince(from, "CREATE_VEHICLE").empty());
    EXPECT_TRUE(callsSince(from, "REQUEST_MODEL").empty());

    // Back in the game, the keys still held act.
    host().setFocus(true);
    host().runFor(300);
    EXPECT_NE(state.menuKeyTick, keyTick);
}

TEST_F(FocusTest, ALeftClickInAnotherWindowOrdersNoShot) {
    const test::PlacedCrew crew = placeCrew();
    seatPlayerIn(crew.vehicle);
    host().runFrames(2);
    host().setFocus(false);
    hold({Key::leftButton, Key::rightButton}, true);
    const Tick shotTick = state.shotTick;
    const Tick aimTaskTick = state.aimTaskTick;
    const std::size_t from = mark();
    host().runFor(500);
    EXPECT_TRUE(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").empty());
    EXPECT_TRUE(callsSince(from, "TASK_VEHICLE_AIM_AT_COORD").empty());
    EXPECT_FALSE(state.rightMouseHeld);
    EXPECT_EQ(state.shotTick, shotTick);
    EXPECT_EQ(state.aimTaskTick, aimTaskTick);
    EXPECT_EQ(world().wantedLevel, 0);

    host().setFocus(true);
    const std::size_t back = mark();
    host().runFor(200);
    EXPECT_FALSE(callsSince(back, "TASK_VEHICLE_SHOOT_AT_COORD").empty());
    EXPECT_TRUE(state.rightMouseHeld);
}

}  // namespace

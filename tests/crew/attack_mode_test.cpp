// Attack mode selection with key E: the cycles, the messages and when the key is ignored.
#include "crew/crew_fixture.h"
#include "runtime/platform_calls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test::CrewTest;

const std::string playerMessage = "Attack mode: Player shooting and driving.";
const std::string enemiesMessage = "Attack mode: Tobek attack enemies.";
const std::string crazyMessage = "Attack mode: Tobek gone crazy.";

class AttackModeTest : public CrewTest {
protected:
    void SetUp() override { startScript(); }

    // One press: E down for the pass that sees it, released during the 250 ms hold.
    void pressE() {
        host().setKey(Key::letterE, true);
        host().runFrames(1);
        host().setKey(Key::letterE, false);
        host().runFor(400);
    }
};

TEST_F(AttackModeTest, TechnicalAndInsurgentCycleThroughAllThreeModes) {
    const auto crew = placeCrew(1);
    seatPlayerIn(crew.vehicle);
    state.attackMode = 0;
    const std::vector<std::pair<std::int32_t, std::string>> expected = {
        {1, enemiesMessage}, {2, crazyMessage}, {0, playerMessage}, {1, enemiesMessage}};
    for (const auto& [mode, message] : expected) {
        pressE();
        EXPECT_EQ(state.attackMode, mode);
        EXPECT_EQ(state.statusText, message);
        EXPECT_EQ(state.statusDuration, 3000u);
    }
}

TEST_F(AttackModeTest, TheValkyrieSkipsModeZero) {
    const auto crew = placeCrew(2);
    seatPlayerIn(crew.vehicle);
    state.vehicleIsValkyrie = true;
    state.attackMode = 1;
    pressE();
    EXPECT_EQ(state.attackMode, 2);
    EXPECT_EQ(state.statusText, crazyMessage);
    pressE();
    EXPECT_EQ(state.attackMode, 1);
    EXPECT_EQ(state.statusText, enemiesMessage);
}

TEST_F(AttackModeTest, TheMessageHoldsTheScriptThenStaysThreeSeconds) {
    const auto crew = placeCrew(1);
    seatPlayerIn(crew.vehicle);
    state.attackMode = 2;
    host().setKey(Key::letterE, true);
    host().runFrames(1);
    host().setKey(Key::letterE, false);
    const std::uint32_t pressedAt = host().tick();
    EXPECT_EQ(state.attackMode, 0);
    EXPECT_EQ(state.statusText, playerMessage);
    EXPECT_EQ(state.statusDuration, 250u);

    // While the message holds the script, no supervisor pass runs.
    const std::size_t from = mark();
    host().runFor(200);
    EXPECT_TRUE(callsSince(from, "PLAYER_ID").empty());
    host().runFor(100);
    EXPECT_EQ(state.statusDuration, 3000u);
    EXPECT_GE(state.statusShownAt - pressedAt, 250u);
    EXPECT_FALSE(callsSince(from, "PLAYER_ID").empty());
}

TEST_F(AttackModeTest, HoldingEStepsAboutFourTimesASecond) {
    const auto crew = placeCrew(1);
    seatPlayerIn(crew.vehicle);
    state.attackMode = 0;
    int steps = 0;
    std::int32_t lastMode = state.attackMode;
    host().addFrameHook([&](sim::SimHost&) {
        if (state.attackMode != lastMode) ++steps;
        lastMode = state.attackMode;
    });
    host().setKey(Key::letterE, true);
    host().runFor(1000);
    host().setKey(Key::letterE, false);
    host().runFrames(1);
    EXPECT_EQ(steps, 4);
}

TEST_F(AttackModeTest, EDoesNothingWhileThePlayerIsNotInTheCrewVehicle) {
    placeCrew(1);
    state.attackMode = 0;
    host().setKey(Key::letterE, true);
    host().runFor(500);
    EXPECT_EQ(state.attackMode, 0);
    EXPECT_TRUE(state.statusText.empty());

    const sim::Handle car = world().addVehicle(sim::hashName("adder"), sim::Vec3{3.0f, 0.0f, 0.0f});
    seatPlayerIn(car);
    host().runFor(500);
    EXPECT_EQ(state.attackMode, 0);
    EXPECT_TRUE(state.statusText.empty());
}

TEST_F(AttackModeTest, EDoesNothingOnceTheGunnerIsGone) {
    const auto crew = placeCrew(1);
    seatPlayerIn(crew.vehicle);
    world().remove(crew.gunner);
    host().setKey(Key::letterE, true);
    host().runFor(500);
    EXPECT_EQ(state.attackMode, 0);
    EXPECT_TRUE(state.statusText.empty());
}

TEST_F(AttackModeTest, TheOpenMenuDoesNotCaptureE) {
    const auto crew = placeCrew(1);
    seatPlayerIn(crew.vehicle);
    state.menuOpen = true;
    pressE();
    EXPECT_EQ(state.attackMode, 1);
    EXPECT_EQ(state.statusText, enemiesMessage);
    EXPECT_TRUE(state.menuOpen);
}

TEST_F(AttackModeTest, AboveTwoTheStepWrapsToZero) {
    const auto crew = placeCrew(1);
    seatPlayerIn(crew.vehicle);
    state.attackMode = 3;
    pressE();
    EXPECT_EQ(state.attackMode, 0);
    EXPECT_EQ(state.statusText, playerMessage);
}

TEST_F(AttackModeTest, AModeOutsideTheTableIsStoredAndThePassDropped) {
    const auto crew = placeCrew(1);
    seatPlayerIn(crew.vehicle);
    state.attackMode = -5;
    pressE();
    EXPECT_EQ(state.attackMode, -4);
    EXPECT_TRUE(state.statusText.empty());
    // The script goes on with its passes.
    const std::size_t from = mark();
    host().runFrames(3);
    EXPECT_EQ(callsSince(from, "PLAYER_ID").size(), 3u);
}

}  // namespace

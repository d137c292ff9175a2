// The crew supervisor: its throttle, the player refresh, the dispatch table and the re-boarding
// bookkeeping, observed through the natives each pass calls.
#include "crew/crew_fixture.h"
#include "runtime/platform_calls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using test::CrewTest;
using test::intAt;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class SupervisorTest : public CrewTest {
protected:
    void SetUp() override { startScript(); }
    std::size_t playerIdCallsInNextFrame() {
        const std::size_t from = mark();
        host().runFrames(1);
        return callsSince(from, "PLAYER_ID").size();
    }
};

const std::vector<std::string> conditionCalls = {
    "PLAYER_ID",         "PLAYER_PED_ID",     "GET_VEHICLE_PED_IS_USING", "DOES_ENTITY_EXIST",
    "DOES_ENTITY_EXIST", "DOES_ENTITY_EXIST", "GET_VEHICLE_PED_IS_USING",
};
const std::vector<std::string> fitnessCalls = {
    "DOES_ENTITY_EXIST",  "IS_PED_SITTING_IN_VEHICLE", "GET_ENTITY_HEALTH",   "GET_VEHICLE_PETROL_TANK_HEALTH",
    "IS_ENTITY_IN_WATER", "IS_ENTITY_UPSIDEDOWN",      "SET_PED_CAN_RAGDOLL", "SET_PED_SUFFERS_CRITICAL_HITS",
};
const std::vector<std::string> cameraCalls = {
    "SET_PED_GROUP_MEMBER_PASSENGER_INDEX",
    "SET_CURRENT_PED_WEAPON",
    "GET_GAMEPLAY_CAM_COORD",
    "GET_GAMEPLAY_CAM_ROT",
    "GET_PED_BONE_COORDS",
    "GET_DISTANCE_BETWEEN_COORDS",
};
// A scan whose only nearby ped is the gunner itself, turned away at the identity test.
const std::vector<std::string> emptyScanCalls = {
    "IS_PED_SITTING_IN_VEHICLE",
    "GET_PED_NEARBY_PEDS",
    "GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS",
    "IS_PLAYER_WANTED_LEVEL_GREATER",
    "DOES_ENTITY_EXIST",
    "IS_ENTITY_A_PED",
    "DOES_ENTITY_EXIST",
};

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST_F(SupervisorTest, RunsOnlyWhenMoreThanTenMillisecondsHavePassed) {
    host().setFrameMs(10);
    EXPECT_EQ(playerIdCallsInNextFrame(), 0u);  // exactly 10 ms after the last pass: skipped
    EXPECT_EQ(playerIdCallsInNextFrame(), 1u);
    EXPECT_EQ(playerIdCallsInNextFrame(), 0u);
    EXPECT_EQ(playerIdCallsInNextFrame(), 1u);
    host().setFrameMs(11);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(playerIdCallsInNextFrame(), 1u);
}

TEST_F(SupervisorTest, KeepsRunningAcrossTheClockWrap) {
    restart(sim::HostConfig{.startTick = 0xFFFFFF00u, .frameMs = 16, .recordCalls = true});
    host().runFrames(2);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(playerIdCallsInNextFrame(), 1u) << "frame " << i;
    EXPECT_LT(state.frameTick, 0x1000u);
}

TEST_F(SupervisorTest, WithoutACrewEachPassOnlyRefreshesThePlayer) {
    const sim::Handle car = world().addVehicle(sim::hashName("adder"), sim::Vec3{3.0f, 0.0f, 0.0f});
    seatPlayerIn(car);
    state.reentryArmed = false;
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_THAT(namesSince(from), ElementsAre("PLAYER_ID", "PLAYER_PED_ID", "GET_VEHICLE_PED_IS_USING",
                                              "DOES_ENTITY_EXIST", "DOES_ENTITY_EXIST"));
    const auto exist = callsSince(from, "DOES_ENTITY_EXIST");
    EXPECT_EQ(intAt(exist[0], 0), 0);
    EXPECT_EQ(intAt(exist[1], 0), car);
    EXPECT_EQ(state.playerId, world().playerIndex);
    EXPECT_EQ(state.playerPed, world().playerPed);
    EXPECT_EQ(state.playerVehicle, car);
    EXPECT_TRUE(state.reentryArmed);
}

TEST_F(SupervisorTest, PlayerInCrewVehicleRunsTheModeSwitchAndDirectedFire) {
    const auto crew = placeCrew();
    seatPlayerIn(crew.vehicle);
    host().setKey(Key::rightButton, true);
    // The button sampled in this pass already drives the aim order of the same pass.
    EXPECT_THAT(runFrameNames(),
                ElementsAreArray(joined(
                    {conditionCalls, fitnessCalls, cameraCalls, {"SET_PED_KEEP_TASK", "TASK_VEHICLE_AIM_AT_COORD"}})));
    EXPECT_TRUE(state.rightMouseHeld);
}

TEST_F(SupervisorTest, PlayerInCrewVehicleWithTheGunnerOutOrdersItBack) {
    const auto crew = placeCrew();
    seatPlayerIn(crew.vehicle);
    world().unseatPed(crew.gunner);
    EXPECT_THAT(runFrameNames(),
                ElementsAreArray(joined({conditionCalls,
                                         {"DOES_ENTITY_EXIST", "IS_PED_SITTING_IN_VEHICLE", "DOES_ENTITY_EXIST",
                                          "SET_PED_KEEP_TASK", "SET_PED_KEEP_TASK", "TASK_ENTER_VEHICLE"}})));
}

TEST_F(SupervisorTest, OnFootInAnAttackModeBothFirePathsRunInOrder) {
    for (const std::int32_t mode : {1, 2}) {
        world().remove(state.gunnerPed);
        world().remove(state.crewVehicle);
        placeCrew();
        state.attackMode = mode;
        state.scanTick = 0;
        host().setKey(Key::rightButton, mode == 1);
        EXPECT_THAT(runFrameNames(),
                    ElementsAreArray(joined({conditionCalls, fitnessCalls, emptyScanCalls, {"DOES_ENTITY_EXIST"}})))
            << "mode " << mode;
        EXPECT_EQ(state.rightMouseHeld, mode == 1);
        host().runFrames(2);
    }
}

TEST_F(SupervisorTest, OnFootInAnAttackModeWithTheGunnerOutOnlyDirectedFireRuns) {
    const auto crew = placeCrew();
    state.attackMode = 2;
    world().unseatPed(crew.gunner);
    host().setKey(Key::rightButton, true);
    EXPECT_THAT(runFrameNames(),
                ElementsAreArray(
                    joined({conditionCalls, {"DOES_ENTITY_EXIST", "IS_PED_SITTING_IN_VEHICLE", "DOES_ENTITY_EXIST"}})));
    EXPECT_TRUE(state.rightMouseHeld);
}

TEST_F(SupervisorTest, OnFootInModeZeroOnlyTargetingRunsAndTheRightButtonIsNotSampled) {
    placeCrew();
    state.attackMode = 0;
    host().setKey(Key::rightButton, true);
    EXPECT_THAT(runFrameNames(), ElementsAreArray(joined({conditionCalls, emptyScanCalls})));
    EXPECT_FALSE(state.rightMouseHeld);
}

TEST_F(SupervisorTest, OnFootInModeZeroWithTheGunnerOutNothingRuns) {
    const auto crew = placeCrew();
    world().unseatPed(crew.gunner);
    host().setKey(Key::rightButton, true);
    EXPECT_THAT(runFrameNames(), ElementsAreArray(conditionCalls));
    EXPECT_FALSE(state.rightMouseHeld);
}

TEST_F(SupervisorTest, AnotherVehicleOfThePlayerIsNotTheCrewVehicle) {
    placeCrew();
    const sim::Handle car = world().addVehicle(sim::hashName("adder"), sim::Vec3{3.0f, 0.0f, 0.0f});
    seatPlayerIn(car);
    state.attackMode = 0;
    EXPECT_THAT(runFrameNames(), ElementsAreArray(joined({conditionCalls, emptyScanCalls})));
}

TEST_F(SupervisorTest, AVanishedGunnerStopsTheDispatch) {
    const auto crew = placeCrew();
    seatPlayerIn(crew.vehicle);
    world().remove(crew.gunner);
    EXPECT_THAT(runFrameNames(), ElementsAre("PLAYER_ID", "PLAYER_PED_ID", "GET_VEHICLE_PED_IS_USING",
                                             "DOES_ENTITY_EXIST", "DOES_ENTITY_EXIST", "DOES_ENTITY_EXIST"));
}

TEST_F(SupervisorTest, TheGunnerUsingTheVehicleLeavesTheReentryFlagsAlone) {
    placeCrew();
    state.reentryOrdered = true;
    state.reentryArmed = false;
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_TRUE(state.reentryOrdered);
    EXPECT_FALSE(state.reentryArmed);
    EXPECT_TRUE(callsSince(from, "SET_PED_CAN_RAGDOLL").empty());
}

TEST_F(SupervisorTest, AGunnerOutOfTheVehicleWithAnOrderPendingHasRagdollBack) {
    const auto crew = placeCrew();
    world().unseatPed(crew.gunner);
    state.reentryOrdered = true;
    state.reentryArmed = false;
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_FALSE(state.reentryOrdered);
    EXPECT_TRUE(state.reentryArmed);
    const auto ragdoll = callsSince(from, "SET_PED_CAN_RAGDOLL");
    ASSERT_EQ(ragdoll.size(), 1u);
    EXPECT_EQ(intAt(ragdoll[0], 0), crew.gunner);
    EXPECT_EQ(intAt(ragdoll[0], 1), 1);
    EXPECT_TRUE(entity(crew.gunner).canRagdoll);
}

TEST_F(SupervisorTest, AGunnerOutOfTheVehicleWithoutAnOrderIsOnlyRearmed) {
    const auto crew = placeCrew();
    world().unseatPed(crew.gunner);
    state.reentryArmed = false;
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_FALSE(state.reentryOrdered);
    EXPECT_TRUE(state.reentryArmed);
    EXPECT_TRUE(callsSince(from, "SET_PED_CAN_RAGDOLL").empty());
}

TEST_F(SupervisorTest, APendingOrderForAVanishedGunnerIsStillWithdrawn) {
    const auto crew = placeCrew();
    world().remove(crew.gunner);
    state.reentryOrdered = true;
    const std::size_t from = mark();
    host().runFrames(1);
    const auto ragdoll = callsSince(from, "SET_PED_CAN_RAGDOLL");
    ASSERT_EQ(ragdoll.size(), 1u);
    EXPECT_EQ(intAt(ragdoll[0], 0), crew.gunner);
    EXPECT_FALSE(state.reentryOrdered);
}

}  // namespace

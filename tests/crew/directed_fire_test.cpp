// Player-directed fire: the camera ray, the smoothed aim point, the mouse buttons, re-boarding
// and giving the crew up.
#include "crew/crew_fixture.h"
#include "runtime/platform_calls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

namespace {

using test::CrewTest;
using test::floatAt;
using test::intAt;
using ::testing::ElementsAre;

class DirectedFireTest : public CrewTest {
protected:
    void SetUp() override {
        startScript();
        crew = placeCrew(7, sim::Vec3{0.0f, 5.0f, 0.0f});
        seatPlayerIn(crew.vehicle);
        // Camera 10 behind the head along -x, level with the point 0.8 above it: the ray runs
        // along +x and the projected point is (20, 5, head z).
        world().camera = sim::Vec3{-10.0f, 5.0f, raisedHead()};
    }

    static float headZ() { return sim::Entities::headHeight; }
    static float raisedHead() { return static_cast<float>(static_cast<double>(headZ()) + 0.8); }

    // One pass with the aim point starting at `from`; returns where the smoothing put it.
    Vector3 smoothFrom(float x) {
        state.aimPoint = makeVector3(x, 5.0f, headZ());
        host().runFrames(1);
        return state.aimPoint;
    }

    test::PlacedCrew crew;
};

TEST_F(DirectedFireTest, TheAimPointBlendsByTheDistanceTimesOneTwentieth) {
    // P is (20, 5, head z); each case starts K units short of it along x.
    EXPECT_EQ(smoothFrom(10.0f).x, 15.0f);    // K = 10: halfway
    EXPECT_EQ(smoothFrom(0.0f).x, 20.0f);     // K = 20: onto P
    EXPECT_EQ(smoothFrom(-20.0f).x, 60.0f);   // K = 40: beyond P by the old gap
    EXPECT_EQ(smoothFrom(-30.0f).x, 95.0f);   // K = 50: still a blend, 2.5 times the gap
    EXPECT_EQ(smoothFrom(-30.01f).x, 20.0f);  // just above 50: a jump onto P
    const Vector3 still = smoothFrom(20.0f);  // K = 0: unchanged
    EXPECT_EQ(still.x, 20.0f);
    EXPECT_EQ(still.y, 5.0f);
    EXPECT_EQ(still.z, headZ());
    EXPECT_EQ(state.aimSpread, 0.003f);

    const auto distance = host().callsNamed("GET_DISTANCE_BETWEEN_COORDS");
    ASSERT_FALSE(distance.empty());
    const auto* last = distance.back();
    EXPECT_EQ(floatAt(last, 0), 20.0f);
    EXPECT_EQ(floatAt(last, 3), 20.0f);
    EXPECT_EQ(floatAt(last, 4), 5.0f);
    EXPECT_EQ(floatAt(last, 5), headZ());
    EXPECT_EQ(intAt(last, 6), 1);
}

TEST_F(DirectedFireTest, TheRayRunsTwentyUnitsFromTheHeadAwayFromTheCamera) {
    world().camera = sim::Vec3{3.0f, -7.0f, 6.0f};
    state.aimPoint = makeVector3(-500.0f, 0.0f, 0.0f);
    host().runFrames(1);
    const sim::Vec3 head{0.0f, 5.0f, headZ()};
    const sim::Vec3 toRaised = sim::Vec3{0.0f, 5.0f, raisedHead()} - world().camera;
    const sim::Vec3 projected = sim::Vec3{state.aimPoint.x, state.aimPoint.y, state.aimPoint.z} - head;
    EXPECT_NEAR(sim::length(projected), 20.0f, 1e-4);
    const float scale = sim::length(toRaised) / 20.0f;
    EXPECT_NEAR(projected.x * scale, toRaised.x, 1e-4);
    EXPECT_NEAR(projected.y * scale, toRaised.y, 1e-4);
    EXPECT_NEAR(projected.z * scale, toRaised.z, 1e-4);

    const auto bone = host().callsNamed("GET_PED_BONE_COORDS");
    ASSERT_EQ(bone.size(), 1u);
    EXPECT_EQ(intAt(bone[0], 0), crew.gunner);
    EXPECT_EQ(intAt(bone[0], 1), 31086);
}

// A camera on the raised head has it at no distance in front: the ray follows the camera's own
// facing, here straight down at the player below.
TEST_F(DirectedFireTest, ACameraOnTheRaisedHeadAimsAlongTheCamerasFacing) {
    world().camera = sim::Vec3{0.0f, 5.0f, raisedHead()};
    state.aimPoint = makeVector3(-500.0f, 0.0f, 0.0f);
    host().runFrames(1);
    EXPECT_NEAR(state.aimPoint.x, 0.0f, 1e-5f);
    EXPECT_NEAR(state.aimPoint.y, 5.0f, 1e-5f);
    EXPECT_NEAR(state.aimPoint.z, headZ() - 20.0f, 1e-4f);
}

TEST_F(DirectedFireTest, EveryModeZeroPassDisarmsThePlayer) {
    world().player().currentWeapon = sim::hashName("WEAPON_PISTOL");
    host().runFrames(1);
    EXPECT_EQ(world().player().currentWeapon, 0xA2719263u);
    EXPECT_EQ(entity(crew.gunner).passengerIndex, 6);
    EXPECT_FALSE(entity(crew.gunner).canRagdoll);
    EXPECT_FALSE(entity(crew.gunner).suffersCriticalHits);
}

TEST_F(DirectedFireTest, TheLeftButtonFiresAtAScatteredCopyEveryHundredMilliseconds) {
    state.aimPoint = makeVector3(20.0f, 5.0f, headZ());
    host().setKey(Key::leftButton, true);
    host().runFor(1000);
    const auto shots = host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD");
    ASSERT_GE(shots.size(), 8u);
    for (std::size_t i = 0; i < shots.size(); ++i) {
        if (i > 0) {
            EXPECT_GT(shots[i]->tick - shots[i - 1]->tick, 100u);
            EXPECT_LE(shots[i]->tick - shots[i - 1]->tick, 100u + host().frameMs());
        }
        EXPECT_GE(floatAt(shots[i], 1), 20.0f);
        EXPECT_LE(floatAt(shots[i], 1), 20.0f + 99.0f * 0.003f + 1e-5f);
        EXPECT_GE(floatAt(shots[i], 3), headZ());
    }
    // The smoothed point itself is never scattered.
    EXPECT_EQ(state.aimPoint.x, 20.0f);
    EXPECT_EQ(state.aimPoint.z, headZ());
    EXPECT_TRUE(host().callsNamed("TASK_VEHICLE_AIM_AT_COORD").empty());
    EXPECT_EQ(world().wantedLevel, 1);
}

TEST_F(DirectedFireTest, TheRightButtonOrdersAimingEveryTwentyMilliseconds) {
    host().setKey(Key::rightButton, true);
    host().runFor(200);
    const auto aims = host().callsNamed("TASK_VEHICLE_AIM_AT_COORD");
    ASSERT_GE(aims.size(), 5u);
    for (std::size_t i = 1; i < aims.size(); ++i) EXPECT_GT(aims[i]->tick - aims[i - 1]->tick, 20u);
    EXPECT_EQ(floatAt(aims.back(), 1), state.aimPoint.x);
    EXPECT_EQ(floatAt(aims.back(), 2), state.aimPoint.y);
    EXPECT_EQ(floatAt(aims.back(), 3), state.aimPoint.z);
    EXPECT_EQ(entity(crew.gunner).task.kind, sim::TaskKind::AimAtCoord);
    EXPECT_FALSE(entity(crew.gunner).keepTask);
    EXPECT_TRUE(host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD").empty());
}

TEST_F(DirectedFireTest, TheLeftButtonBeatsTheRightAndDelaysTheNextAim) {
    host().setKey(Key::rightButton, true);
    host().setKey(Key::leftButton, true);
    host().runFor(300);
    EXPECT_TRUE(host().callsNamed("TASK_VEHICLE_AIM_AT_COORD").empty());
    EXPECT_FALSE(host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD").empty());

    host().setKey(Key::leftButton, false);
    const std::uint32_t lastLeft = state.aimTaskTick;
    host().runFor(100);
    // The first pass after the release ends the fire; the held right button's aiming resumes
    // 20 ms after that.
    const auto aims = host().callsNamed("TASK_VEHICLE_AIM_AT_COORD");
    ASSERT_GE(aims.size(), 2u);
    EXPECT_LE(aims[0]->tick - lastLeft, 10u + host().frameMs());
    EXPECT_GT(aims[1]->tick - aims[0]->tick, 20u);
    EXPECT_LE(aims[1]->tick - aims[0]->tick, 20u + host().frameMs());
}

TEST_F(DirectedFireTest, OtherModesHandOverAndUnknownModesStopAfterTheChecks) {
    state.attackMode = 1;
    auto names = runFrameNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "GET_PED_NEARBY_PEDS"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "GET_GAMEPLAY_CAM_COORD"), names.end());

    for (const std::int32_t mode : {3, -1}) {
        state.attackMode = mode;
        state.scanTick = 0;
        names = runFrameNames();
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.back(), "SET_PED_SUFFERS_CRITICAL_HITS") << "mode " << mode;
    }
}

TEST_F(DirectedFireTest, TheGunnerOutOfTheVehicleIsOrderedBackOncePerArming) {
    world().unseatPed(crew.gunner);
    host().setKey(Key::leftButton, true);
    host().runFor(3000);
    const auto enter = host().callsNamed("TASK_ENTER_VEHICLE");
    ASSERT_EQ(enter.size(), 1u);
    EXPECT_EQ(intAt(enter[0], 0), crew.gunner);
    EXPECT_EQ(intAt(enter[0], 1), crew.vehicle);
    EXPECT_EQ(intAt(enter[0], 2), 5000);
    EXPECT_EQ(intAt(enter[0], 3), 7);
    EXPECT_EQ(floatAt(enter[0], 4), 2.0f);
    EXPECT_EQ(intAt(enter[0], 5), 1);
    EXPECT_EQ(intAt(enter[0], 6), 0);
    // Its keep-task flag goes off and on right before the order.
    const auto& calls = host().calls();
    const auto at = static_cast<std::size_t>(enter[0] - calls.data());
    ASSERT_GE(at, 2u);
    EXPECT_EQ(calls[at - 2].name(), "SET_PED_KEEP_TASK");
    EXPECT_EQ(calls[at - 2].intArg(1), 0);
    EXPECT_EQ(calls[at - 1].name(), "SET_PED_KEEP_TASK");
    EXPECT_EQ(calls[at - 1].intArg(1), 1);

    EXPECT_TRUE(world().isSittingIn(crew.gunner, crew.vehicle));
    EXPECT_EQ(entity(crew.gunner).seat, 7);
    EXPECT_TRUE(state.reentryArmed);
    // No shot went out while the gunner was climbing back in.
    for (const auto* shot : host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD")) {
        EXPECT_GE(shot->tick - enter[0]->tick, static_cast<std::uint32_t>(sim::Entities::enterVehicleMs));
    }
}

TEST_F(DirectedFireTest, AGunnerThatNeverGetsInIsOrderedOnEveryPass) {
    world().unseatPed(crew.gunner);
    entity(crew.gunner).alive = false;  // the game ignores the order
    host().runFrames(5);
    EXPECT_EQ(host().countCalls("TASK_ENTER_VEHICLE"), 5u);
    EXPECT_EQ(host().countCalls("SET_PED_CAN_RAGDOLL"), 4u);
}

TEST_F(DirectedFireTest, NoBoardingOrderWhileThePlayerIsNotInTheCrewVehicle) {
    world().unseatPed(world().playerPed);
    world().unseatPed(crew.gunner);
    state.attackMode = 2;
    host().runFrames(5);
    EXPECT_EQ(host().countCalls("TASK_ENTER_VEHICLE"), 0u);
    EXPECT_FALSE(state.reentryOrdered);
}

TEST_F(DirectedFireTest, ADisarmedReboardingOnlyMarksTheOrder) {
    world().unseatPed(crew.gunner);
    world().orderEnterVehicle(crew.gunner, crew.vehicle, 7);  // using the vehicle, not yet seated
    state.reentryArmed = false;
    host().runFrames(1);
    EXPECT_TRUE(state.reentryOrdered);
    EXPECT_EQ(host().countCalls("TASK_ENTER_VEHICLE"), 0u);
}

struct UnfitCase {
    const char* name;
    bool inWater;
    bool upsideDown;
    float tank;
    bool vehicleKept;
};

// gtest describes every parameter; without this it dumps the raw bytes, padding included,
// which are uninitialised (Valgrind reports the read).
void PrintTo(const UnfitCase& c, std::ostream* out) { *out << c.name; }

class GivingUpTest : public DirectedFireTest, public ::testing::WithParamInterface<UnfitCase> {};

TEST_P(GivingUpTest, TheGunnerIsToldToLeaveAndTheVehicleHandedBack) {
    const UnfitCase& c = GetParam();
    sim::SimEntity& vehicle = entity(crew.vehicle);
    vehicle.inWater = c.inWater;
    vehicle.upsideDown = c.upsideDown;
    vehicle.petrolTankHealth = c.tank;
    const sim::Vec3 where = vehicle.position;
    const std::size_t from = mark();
    host().runFrames(1);
    const auto leave = callsSince(from, "TASK_LEAVE_VEHICLE");
    ASSERT_EQ(leave.size(), 1u);
    EXPECT_EQ(intAt(leave[0], 0), crew.gunner);
    EXPECT_EQ(intAt(leave[0], 1), crew.vehicle);
    EXPECT_EQ(intAt(leave[0], 2), 4160);
    EXPECT_TRUE(callsSince(from, "CLEAR_PED_TASKS_IMMEDIATELY").empty());
    EXPECT_TRUE(callsSince(from, "GET_GAMEPLAY_CAM_COORD").empty());
    EXPECT_EQ(state.crewVehicle, c.vehicleKept ? crew.vehicle : 0);
    EXPECT_EQ(entity(crew.gunner).task.kind, sim::TaskKind::LeaveVehicle);
    // A forgotten vehicle goes back to the game, through a copy of the handle, and stays where it
    // is; the gunner waits for the next spawn to be dismissed.
    const auto released = callsSince(from, "SET_VEHICLE_AS_NO_LONGER_NEEDED");
    ASSERT_EQ(released.size(), c.vehicleKept ? 0u : 1u);
    if (!c.vehicleKept) {
        EXPECT_NE(released[0]->slots[0], reinterpret_cast<std::uintptr_t>(&state.crewVehicle));
    }
    EXPECT_EQ(vehicle.noLongerNeeded, !c.vehicleKept);
    ASSERT_TRUE(world().exists(crew.vehicle));
    EXPECT_EQ(entity(crew.vehicle).position.x, where.x);
    EXPECT_EQ(entity(crew.vehicle).position.y, where.y);
    EXPECT_FALSE(entity(crew.gunner).noLongerNeeded);
    EXPECT_TRUE(callsSince(from, "SET_ENTITY_COORDS").empty());
}

INSTANTIATE_TEST_SUITE_P(Unfit, GivingUpTest,
                         ::testing::Values(UnfitCase{"InWater", true, false, 1000.0f, false},
                                           UnfitCase{"UpsideDown", false, true, 1000.0f, false},
                                           UnfitCase{"TankBelowZero", false, false, -1.0f, false},
                                           UnfitCase{"TankNotANumber", false, false,
                                                     std::numeric_limits<float>::quiet_NaN(), true},
                                           UnfitCase{"TankExactlyZero", false, false, 0.0f, true},
                                           UnfitCase{"InWaterWithEmptyTank", true, false, 0.0f, true}),
                         [](const ::testing::TestParamInfo<UnfitCase>& info) { return std::string(info.param.name); });

TEST_F(DirectedFireTest, ANearlyDeadGunnerIsTakenOutAtOnce) {
    entity(crew.gunner).health = 1;
    entity(crew.vehicle).upsideDown = true;
    host().runFrames(1);
    EXPECT_EQ(host().countCalls("TASK_LEAVE_VEHICLE"), 0u);
    const auto clear = host().callsNamed("CLEAR_PED_TASKS_IMMEDIATELY");
    ASSERT_EQ(clear.size(), 1u);
    EXPECT_EQ(intAt(clear[0], 0), crew.gunner);
    EXPECT_EQ(world().vehicleUsedBy(crew.gunner), 0);
    EXPECT_EQ(state.crewVehicle, 0);
}

TEST_F(DirectedFireTest, AGunnerWithNoHealthIsGivenUpEvenInAFitVehicle) {
    entity(crew.gunner).health = 0;
    host().runFrames(1);
    EXPECT_EQ(host().countCalls("CLEAR_PED_TASKS_IMMEDIATELY"), 1u);
    EXPECT_EQ(state.crewVehicle, 0);
    // From the next pass on there is no crew to supervise.
    const std::size_t from = mark();
    host().runFrames(3);
    EXPECT_TRUE(callsSince(from, "IS_PED_SITTING_IN_VEHICLE").empty());
}

TEST_F(DirectedFireTest, ANegativeHealthPassesTheCheckAndLeavesNormally) {
    entity(crew.gunner).health = -5;
    host().runFrames(1);
    EXPECT_EQ(host().countCalls("TASK_LEAVE_VEHICLE"), 0u);
    EXPECT_EQ(host().countCalls("GET_GAMEPLAY_CAM_COORD"), 1u);

    entity(crew.vehicle).inWater = true;
    host().runFrames(1);
    EXPECT_EQ(host().countCalls("TASK_LEAVE_VEHICLE"), 1u);
    EXPECT_EQ(host().countCalls("CLEAR_PED_TASKS_IMMEDIATELY"), 0u);
}

TEST_F(DirectedFireTest, AnEmptyTankKeepsTheVehicleAndRepeatsTheOrders) {
    entity(crew.vehicle).petrolTankHealth = 0.0f;
    host().runFrames(1);
    EXPECT_EQ(host().countCalls("TASK_LEAVE_VEHICLE"), 1u);
    // Still sitting on the next pass (the game put it back): the order is repeated.
    world().seatPed(crew.gunner, crew.vehicle, 7);
    host().runFrames(1);
    EXPECT_EQ(host().countCalls("TASK_LEAVE_VEHICLE"), 2u);
    // Once out, with the player in the vehicle, re-boarding orders it back in.
    host().runFor(1500);
    EXPECT_FALSE(world().isSittingIn(crew.gunner, crew.vehicle));
    EXPECT_GE(host().countCalls("TASK_ENTER_VEHICLE"), 1u);
    EXPECT_EQ(state.crewVehicle, crew.vehicle);
}

TEST_F(DirectedFireTest, AnUnfitCrewIsGivenUpWithoutTargeting) {
    state.attackMode = 2;
    entity(crew.vehicle).upsideDown = true;
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_EQ(callsSince(from, "TASK_LEAVE_VEHICLE").size(), 1u);
    EXPECT_TRUE(callsSince(from, "GET_PED_NEARBY_PEDS").empty());
    EXPECT_EQ(callsSince(from, "IS_PED_SITTING_IN_VEHICLE").size(), 1u);
}

}  // namespace

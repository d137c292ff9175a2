// Automatic targeting: which ped a scan chooses, and the led shots at it between scans.
#include "crew/crew_fixture.h"
#include "runtime/platform_calls.h"

#include <gtest/gtest.h>

namespace {

using test::CrewTest;
using test::floatAt;
using test::intAt;
using test::WindowsRand;

class TargetingTest : public CrewTest {
protected:
    void SetUp() override {
        startScript();
        crew = placeCrew(7, sim::Vec3{0.0f, 5.0f, 0.0f});
        state.attackMode = 2;
    }

    sim::Handle pedAt(sim::Vec3 where, std::int32_t pedType = 4) {
        const sim::Handle ped = world().addPed(sim::hashName("a_m_y_hipster_01"), where);
        entity(ped).pedType = pedType;
        entity(ped).pinned = true;
        return ped;
    }

    // Lets the next pass scan at once instead of waiting out the second.
    void scanNow() {
        state.scanTick = 0;
        host().runFrames(1);
    }

    test::PlacedCrew crew;
};

TEST_F(TargetingTest, ModeTwoChoosesTheNearestPedTheGunnerCanSee) {
    pedAt(sim::Vec3{0.0f, 15.0f, 0.0f});
    const sim::Handle near = pedAt(sim::Vec3{5.0f, 5.0f, 0.0f});
    const sim::Handle hidden = pedAt(sim::Vec3{2.0f, 5.0f, 0.0f});
    entity(hidden).hiddenFromGunner = true;
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_EQ(state.targetPed, near);

    // The scan passes the capacity in word 0 and asks around the player, not the gunner.
    const auto query = callsSince(from, "GET_PED_NEARBY_PEDS");
    ASSERT_EQ(query.size(), 1u);
    EXPECT_EQ(intAt(query[0], 0), world().playerPed);
    EXPECT_EQ(query[0]->slots[1], reinterpret_cast<std::uintptr_t>(state.nearbyPeds));
    EXPECT_EQ(intAt(query[0], 2), -1);
    EXPECT_EQ(state.nearbyPeds[0], 50);
    const auto los = callsSince(from, "HAS_ENTITY_CLEAR_LOS_TO_ENTITY");
    ASSERT_FALSE(los.empty());
    EXPECT_EQ(intAt(los[0], 0), crew.gunner);
    EXPECT_EQ(intAt(los[0], 2), 17);

    // In the same pass the second entry fires at the new target's root bone.
    const auto shots = callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_GE(floatAt(shots[0], 1), 5.0f);
    EXPECT_LE(floatAt(shots[0], 1), 5.0f + 99.0f * 0.007f);
    EXPECT_EQ(state.aimSpread, 0.007f);
    ASSERT_EQ(world().shots.size(), 1u);
    EXPECT_EQ(world().shots[0].hit, near);
}

TEST_F(TargetingTest, ModeOneTakesPoliceOnlyWhileThePlayerIsWanted) {
    state.attackMode = 1;
    const sim::Handle police = pedAt(sim::Vec3{3.0f, 5.0f, 0.0f}, 6);
    const sim::Handle hostile = pedAt(sim::Vec3{0.0f, 13.0f, 0.0f});
    world().damage(world().playerPed, hostile, 10);
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_EQ(state.targetPed, hostile);
    EXPECT_TRUE(callsSince(from, "GET_PED_TYPE").empty());

    world().wantedLevel = 1;
    scanNow();
    EXPECT_EQ(state.targetPed, police);
}

TEST_F(TargetingTest, ModeOneTakesPedsThatDamagedThePlayerTheGunnerOrTheVehicle) {
    state.attackMode = 1;
    const sim::Handle bystander = pedAt(sim::Vec3{2.0f, 5.0f, 0.0f});
    for (const sim::Handle victim : {world().playerPed, crew.gunner, crew.vehicle}) {
        const sim::Handle attacker = pedAt(sim::Vec3{0.0f, 12.0f, 0.0f});
        scanNow();
        EXPECT_EQ(state.targetPed, 0) << "nobody has done harm yet";
        world().damage(victim, attacker, 5);
        scanNow();
        EXPECT_EQ(state.targetPed, attacker) << "victim " << victim;
        world().remove(attacker);
    }
    EXPECT_NE(state.targetPed, bystander);
}

TEST_F(TargetingTest, AHiddenPedCountsWhenTheGunnerSeesItsVehicle) {
    const sim::Handle car = world().addVehicle(sim::hashName("adder"), sim::Vec3{0.0f, 9.0f, 0.0f});
    const sim::Handle driver = pedAt(sim::Vec3{});
    world().seatPed(driver, car, -1);
    entity(driver).hiddenFromGunner = true;
    const sim::Handle onFoot = pedAt(sim::Vec3{2.0f, 5.0f, 0.0f});
    entity(onFoot).hiddenFromGunner = true;
    host().runFrames(1);
    EXPECT_EQ(state.targetPed, driver);

    entity(car).hiddenFromGunner = true;
    scanNow();
    EXPECT_EQ(state.targetPed, 0);
}

TEST_F(TargetingTest, ADeadPedIsStillATarget) {
    const sim::Handle corpse = pedAt(sim::Vec3{3.0f, 5.0f, 0.0f});
    world().damage(corpse, world().playerPed, 1000);
    ASSERT_FALSE(entity(corpse).alive);
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_EQ(state.targetPed, corpse);
    EXPECT_EQ(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").size(), 1u);
}

TEST_F(TargetingTest, OnEqualDistanceTheEarlierBufferEntryWins) {
    // Both are 10 from the gunner; the buffer lists the one nearer the player first.
    const sim::Handle west = pedAt(sim::Vec3{-10.0f, 5.0f, 0.0f});
    const sim::Handle east = pedAt(sim::Vec3{10.0f, 5.0f, 0.0f});
    world().player().position = sim::Vec3{20.0f, 5.0f, 0.0f};
    host().runFrames(1);
    EXPECT_EQ(state.targetPed, east);
    EXPECT_EQ(state.nearbyPeds[2], east);
    EXPECT_EQ(state.nearbyPeds[4], crew.gunner);
    EXPECT_EQ(state.nearbyPeds[6], west);

    world().player().position = sim::Vec3{-20.0f, 5.0f, 0.0f};
    scanNow();
    EXPECT_EQ(state.targetPed, west);
}

TEST_F(TargetingTest, NothingAtOrBeyondAThousandUnitsIsChosen) {
    world().player().position = sim::Vec3{0.0f, 1000.0f, 0.0f};
    const sim::Handle atLimit = pedAt(sim::Vec3{0.0f, 1005.0f, 0.0f});
    host().runFrames(1);
    EXPECT_EQ(state.targetPed, 0);
    EXPECT_TRUE(host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD").empty());

    const sim::Handle inside = pedAt(sim::Vec3{0.0f, 1004.5f, 0.0f});
    scanNow();
    EXPECT_EQ(state.targetPed, inside);
    EXPECT_NE(state.targetPed, atLimit);
}

TEST_F(TargetingTest, AnEmptyScanDropsTheOldTarget) {
    const sim::Handle far = pedAt(sim::Vec3{4000.0f, 0.0f, 0.0f});
    world().player().position = sim::Vec3{5000.0f, 0.0f, 0.0f};
    state.targetPed = far;
    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_EQ(state.targetPed, 0);
    const auto query = callsSince(from, "GET_PED_NEARBY_PEDS");
    ASSERT_EQ(query.size(), 1u);
    EXPECT_EQ(query[0]->intResult(), 0);
    host().runFor(500);
    EXPECT_TRUE(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").empty());
}

TEST_F(TargetingTest, ModeZeroAcceptsNobody) {
    state.attackMode = 0;
    pedAt(sim::Vec3{3.0f, 5.0f, 0.0f});
    const sim::Handle hostile = pedAt(sim::Vec3{0.0f, 8.0f, 0.0f});
    world().damage(world().playerPed, hostile, 10);
    host().runFor(1500);
    EXPECT_EQ(state.targetPed, 0);
    EXPECT_TRUE(host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD").empty());
    EXPECT_EQ(host().countCalls("GET_PED_NEARBY_PEDS"), 2u);
}

TEST_F(TargetingTest, TheValkyrieMeasuresFromSevenUnitsAheadOfTheGunner) {
    world().remove(crew.gunner);
    world().remove(crew.vehicle);
    crew = placeCrew(2, sim::Vec3{0.0f, 5.0f, 0.0f}, 90.0f);  // facing -x
    const sim::Handle behind = pedAt(sim::Vec3{4.0f, 5.0f, 0.0f});
    const sim::Handle ahead = pedAt(sim::Vec3{-9.0f, 5.0f, 0.0f});
    host().runFrames(1);
    EXPECT_EQ(state.targetPed, behind);

    state.scanOffset = makeVector3(0.0f, 7.0f, 0.0f);
    const std::size_t from = mark();
    scanNow();
    EXPECT_EQ(state.targetPed, ahead);
    const auto offset = callsSince(from, "GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS");
    ASSERT_EQ(offset.size(), 1u);
    EXPECT_EQ(intAt(offset[0], 0), crew.gunner);
    EXPECT_EQ(floatAt(offset[0], 2), 7.0f);
}

TEST_F(TargetingTest, AFarAimPointMovesAQuarterOfTheWayToTheLedTarget) {
    const sim::Handle target = pedAt(sim::Vec3{10.0f, 0.0f, 0.0f});
    state.aimPoint = makeVector3(0.0f, 0.0f, 0.0f);
    host().runFrames(1);
    ASSERT_EQ(state.targetPed, target);
    EXPECT_EQ(state.aimPoint.x, 2.5f);
    EXPECT_EQ(state.aimPoint.y, 0.0f);
    EXPECT_EQ(state.aimPoint.z, 0.0f);

    // The shot goes to the bone plus the first three draws of the generator seeded at start.
    WindowsRand replay{100000u};
    const float dx = static_cast<float>(replay.next() % 100) * 0.007f;
    const float dy = static_cast<float>(replay.next() % 100) * 0.007f;
    const float dz = static_cast<float>(replay.next() % 100) * 0.007f;
    const auto shots = host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(floatAt(shots[0], 1), 10.0f + dx);
    EXPECT_EQ(floatAt(shots[0], 2), 0.0f + dy);
    EXPECT_EQ(floatAt(shots[0], 3), 0.0f + dz);
}

TEST_F(TargetingTest, ANearAimPointIsSetOnTheLedTarget) {
    const sim::Handle target = pedAt(sim::Vec3{10.0f, 0.0f, 0.0f});
    entity(target).velocity = sim::Vec3{4.0f, 0.0f, 0.0f};
    state.aimPoint = makeVector3(9.0f, 0.0f, 0.0f);
    host().runFrames(1);
    ASSERT_EQ(state.targetPed, target);
    EXPECT_EQ(state.aimPoint.x, 10.1f);
    EXPECT_EQ(state.aimPoint.y, 0.0f);
}

TEST_F(TargetingTest, AtExactlyThreeUnitsTheAimPointStillFollowsByAQuarter) {
    pedAt(sim::Vec3{10.0f, 0.0f, 0.0f});
    state.aimPoint = makeVector3(7.0f, 0.0f, 0.0f);
    host().runFrames(1);
    EXPECT_EQ(state.aimPoint.x, 7.75f);
}

TEST_F(TargetingTest, ShotsAtTheTargetAreMoreThanAHundredMillisecondsApart) {
    const sim::Handle target = pedAt(sim::Vec3{6.0f, 5.0f, 0.0f});
    entity(target).health = 100000;
    host().runFor(2000);
    const auto shots = host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD");
    ASSERT_GE(shots.size(), 15u);
    for (std::size_t i = 1; i < shots.size(); ++i) {
        EXPECT_GT(shots[i]->tick - shots[i - 1]->tick, 100u);
        EXPECT_LE(shots[i]->tick - shots[i - 1]->tick, 100u + host().frameMs());
    }
    EXPECT_EQ(host().countCalls("GET_PED_NEARBY_PEDS"), 2u);
}

TEST_F(TargetingTest, AVanishedTargetIsNotFiredAtUntilTheNextScan) {
    const sim::Handle target = pedAt(sim::Vec3{6.0f, 5.0f, 0.0f});
    host().runFrames(1);
    ASSERT_EQ(state.targetPed, target);
    world().remove(target);
    const std::size_t from = mark();
    host().runFor(500);
    EXPECT_TRUE(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").empty());
    const sim::Handle next = pedAt(sim::Vec3{7.0f, 5.0f, 0.0f});
    host().runFor(700);
    EXPECT_EQ(state.targetPed, next);
    EXPECT_FALSE(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").empty());
}

TEST_F(TargetingTest, AnUnseatedGunnerSkipsTheScanButKeepsItsTarget) {
    state.attackMode = 0;  // on foot in mode 0 only targeting runs, and only while the gunner uses the vehicle
    const sim::Handle target = pedAt(sim::Vec3{6.0f, 5.0f, 0.0f});
    world().unseatPed(crew.gunner);
    world().orderEnterVehicle(crew.gunner, crew.vehicle, 7);
    state.targetPed = target;

    const std::size_t from = mark();
    host().runFrames(1);
    EXPECT_EQ(callsSince(from, "IS_PED_SITTING_IN_VEHICLE").size(), 1u);
    EXPECT_TRUE(callsSince(from, "GET_PED_NEARBY_PEDS").empty());
    EXPECT_EQ(state.targetPed, target);
    host().runFrames(1);
    EXPECT_EQ(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").size(), 1u);
    // The skipped scan still waits out its second.
    host().runFor(900);
    EXPECT_TRUE(callsSince(from, "GET_PED_NEARBY_PEDS").empty());
}

TEST_F(TargetingTest, BothFirePathsShareTheHundredMillisecondShotThrottle) {
    seatPlayerIn(crew.vehicle);
    state.attackMode = 0;
    host().setKey(Key::leftButton, true);
    host().runFrames(1);
    host().setKey(Key::leftButton, false);
    const auto manual = host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD");
    ASSERT_EQ(manual.size(), 1u);
    const std::uint32_t manualTick = manual[0]->tick;

    pedAt(sim::Vec3{6.0f, 5.0f, 0.0f});
    state.attackMode = 2;
    host().runFor(300);
    const auto shots = host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD");
    ASSERT_GE(shots.size(), 2u);
    EXPECT_GT(shots[1]->tick - manualTick, 100u);
    EXPECT_LE(shots[1]->tick - manualTick, 100u + host().frameMs());
}

}  // namespace

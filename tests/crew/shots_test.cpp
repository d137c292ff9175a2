// Shot orders: the scatter drawn from the C library's generator, the gunner's orders, and the
// wanted level that every order pushes up. The routines are called directly, between frames.
#include "crew/shots.h"
#include "crew/crew_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

using test::CrewTest;
using test::floatAt;
using test::intAt;
using test::WindowsRand;
using ::testing::ElementsAre;

class ShotTest : public CrewTest {
protected:
    void SetUp() override {
        startScript();
        crew = placeCrew();
        state.playerId = world().playerIndex;
        host().addCallObserver([this](const sim::NativeCall& call) {
            if (call.name() == "SET_PLAYER_WANTED_LEVEL") raised[order] = call.intArg(1);
        });
    }

    // Runs `count` shot orders and returns, by order number, the levels that were set.
    std::map<int, std::int32_t> shoot(int count, int firstOrder = 1) {
        raised.clear();
        host().setRecordCalls(false);
        for (int i = 0; i < count; ++i) {
            order = firstOrder + i;
            Vector3 point = makeVector3(1.0f, 2.0f, 3.0f);
            shootAtPoint(point);
        }
        host().setRecordCalls(true);
        return raised;
    }

    test::PlacedCrew crew;
    std::map<int, std::int32_t> raised;
    int order = 0;
};

TEST_F(ShotTest, OrdersTheGunnerToFireAtTheScatteredPoint) {
    state.aimSpread = 0.003f;
    std::srand(2648855u);  // the first three draws leave remainders 0, 0 and 99
    Vector3 point = makeVector3(10.0f, -4.0f, 2.5f);
    const std::size_t from = mark();
    shootAtPoint(point);

    EXPECT_EQ(point.x, 10.0f);
    EXPECT_EQ(point.y, -4.0f);
    EXPECT_EQ(point.z, 2.5f + 99.0f * 0.003f);
    EXPECT_THAT(namesSince(from),
                ElementsAre("SET_BLOCKING_OF_NON_TEMPORARY_EVENTS", "SET_PED_FIRING_PATTERN", "SET_PED_KEEP_TASK",
                            "TASK_VEHICLE_SHOOT_AT_COORD", "SET_PLAYER_WANTED_LEVEL", "SET_PLAYER_WANTED_LEVEL_NOW"));
    const auto calls = callsSince(from);
    EXPECT_EQ(intAt(calls[0], 1), 1);
    EXPECT_EQ(calls[1]->slots[1], 0x5D60E4E0u);
    EXPECT_EQ(intAt(calls[2], 1), 1);
    const auto* shot = calls[3];
    EXPECT_EQ(intAt(shot, 0), crew.gunner);
    EXPECT_EQ(floatAt(shot, 1), point.x);
    EXPECT_EQ(floatAt(shot, 2), point.y);
    EXPECT_EQ(floatAt(shot, 3), point.z);
    EXPECT_EQ(shot->slots[4], 0x3F800000u);
    for (const auto* call : calls) {
        if (call->name() != "SET_PLAYER_WANTED_LEVEL" && call->name() != "SET_PLAYER_WANTED_LEVEL_NOW") {
            EXPECT_EQ(intAt(call, 0), crew.gunner);
        }
    }

    // The world saw the order: the gunner's task and the shot record.
    ASSERT_EQ(world().shots.size(), 1u);
    EXPECT_EQ(world().shots[0].shooter, crew.gunner);
    EXPECT_EQ(world().shots[0].point.z, point.z);
    EXPECT_TRUE(entity(crew.gunner).blockingNonTemporaryEvents);
    EXPECT_EQ(entity(crew.gunner).firingPattern, 0x5D60E4E0u);
}

// Both fire paths take their turn here: a turn comes only more than 100 ms after the last one,
// and the next gap runs from the frame that took it, across the clock's wrap too.
TEST_F(ShotTest, AShotTurnComesOnlyMoreThanAHundredMillisecondsAfterTheLast) {
    state.shotTick = 0xFFFFFFD0u;
    state.frameTick = state.shotTick + 100u;
    EXPECT_FALSE(claimShotTurn());
    EXPECT_EQ(state.shotTick, 0xFFFFFFD0u);
    state.frameTick = state.shotTick + 101u;  // past the wrap
    EXPECT_TRUE(claimShotTurn());
    EXPECT_EQ(state.shotTick, state.frameTick);
    EXPECT_FALSE(claimShotTurn());
    state.frameTick -= 5u;  // a stamp ahead of the frame holds the turn back
    EXPECT_FALSE(claimShotTurn());
}

TEST_F(ShotTest, TheScatterIsOneDrawPerComponentAndNeverNegative) {
    for (const float spread : {0.003f, 0.007f}) {
        state.aimSpread = spread;
        std::srand(777u);
        WindowsRand replay{777u};
        float largest = 0.0f;
        for (int i = 0; i < 400; ++i) {
            Vector3 point = makeVector3(5.0f, 6.0f, 7.0f);
            shootAtPoint(point);
            const float dx = static_cast<float>(replay.next() % 100) * spread;
            const float dy = static_cast<float>(replay.next() % 100) * spread;
            const float dz = static_cast<float>(replay.next() % 100) * spread;
            ASSERT_EQ(point.x, 5.0f + dx);
            ASSERT_EQ(point.y, 6.0f + dy);
            ASSERT_EQ(point.z, 7.0f + dz);
            for (const float offset : {point.x - 5.0f, point.y - 6.0f, point.z - 7.0f}) {
                ASSERT_GE(offset, 0.0f);
                ASSERT_LE(offset, 99.0f * spread + 1e-6f);
                largest = std::max(largest, offset);
            }
        }
        EXPECT_GT(largest, 95.0f * spread) << "the draws should reach the top of the box";
    }
}

TEST_F(ShotTest, TheWantedLevelRisesAtTheKnownShotOrdersAndStopsAtSix) {
    const auto raised = shoot(3200);
    EXPECT_EQ(raised, (std::map<int, std::int32_t>{{1, 1}, {589, 2}, {1177, 3}, {1765, 4}, {2354, 5}, {2942, 6}}));
    EXPECT_EQ(state.wantedLevel, 6);
    EXPECT_NEAR(state.wantedProgress, 6.00125f, 1e-4f);
    EXPECT_EQ(world().wantedLevel, 6);
    // Orders still go out after the cap, without advancing the accumulator.
    const float progress = state.wantedProgress;
    // Each of them fires a round once the world's round gap has passed.
    const std::size_t shotsBefore = world().shots.size();
    for (int i = 0; i < 5; ++i) {
        world().tick += sim::Entities::roundGapMs;
        shoot(1, 3201 + i);
    }
    EXPECT_EQ(world().shots.size(), shotsBefore + 5);
    EXPECT_EQ(state.wantedProgress, progress);
}

TEST_F(ShotTest, TheFirstOrderSetsLevelOneAtOnce) {
    Vector3 point = makeVector3(0.0f, 0.0f, 0.0f);
    shootAtPoint(point);
    EXPECT_EQ(state.wantedLevel, 1);
    EXPECT_EQ(state.wantedProgress, static_cast<float>(1.0 + 0.0017));
    EXPECT_EQ(world().wantedLevel, 1);
    const auto set = host().callsNamed("SET_PLAYER_WANTED_LEVEL");
    const auto now = host().callsNamed("SET_PLAYER_WANTED_LEVEL_NOW");
    ASSERT_EQ(set.size(), 1u);
    ASSERT_EQ(now.size(), 1u);
    EXPECT_EQ(intAt(set[0], 0), world().playerIndex);
    EXPECT_EQ(intAt(set[0], 1), 1);
    EXPECT_EQ(intAt(set[0], 2), 0);
    EXPECT_EQ(intAt(now[0], 1), 0);
}

TEST_F(ShotTest, AfterTheGameClearsLevelThreeTheNextRaiseIsLevelFourAt1765) {
    EXPECT_EQ(shoot(1177).rbegin()->second, 3);
    ASSERT_EQ(world().wantedLevel, 3);
    world().forceWantedLevel(0);

    const auto raised = shoot(1765 - 1177, 1178);
    EXPECT_EQ(raised, (std::map<int, std::int32_t>{{1765, 4}}));
    EXPECT_EQ(world().wantedLevel, 4);
}

}  // namespace

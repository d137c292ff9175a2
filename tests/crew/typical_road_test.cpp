// The typical road from the menu to a downed enemy, driven only by keys and the world.
#include "crew/crew_fixture.h"
#include "runtime/platform_calls.h"

#include <gtest/gtest.h>

namespace {

using test::CrewTest;

class TypicalRoadTest : public CrewTest {
protected:
    void tap(std::initializer_list<int> keys, std::uint32_t holdMs = 20) {
        for (const int key : keys) host().setKey(key, true);
        host().runFor(holdMs);
        for (const int key : keys) host().setKey(key, false);
    }
};

TEST_F(TypicalRoadTest, FromTheMenuToADownedEnemy) {
    startScript();
    const sim::Handle hostile = world().addPed(sim::hashName("a_m_y_hipster_01"), sim::Vec3{15.0f, 12.0f, 0.0f});
    const sim::Handle bystander = world().addPed(sim::hashName("a_m_y_hipster_01"), sim::Vec3{4.0f, 9.0f, 0.0f});
    world().damage(world().playerPed, hostile, 10);
    world().camera = sim::Vec3{0.0f, -8.0f, 2.5f};

    // Ctrl+I opens the menu; keypad 2 moves to the Insurgent; Enter spawns it.
    tap({Key::control, Key::letterI});
    ASSERT_TRUE(state.menuOpen);
    host().runFor(250);
    tap({Key::numpad2});
    EXPECT_EQ(state.menuSelection, 1);
    host().runFor(250);
    host().setKey(Key::returnKey, true);
    host().runFrames(1);
    host().setKey(Key::returnKey, false);
    ASSERT_TRUE(host().runUntil([] { return !state.menuOpen; }, 400));
    EXPECT_EQ(state.statusText, "Insurgent vehicle created.");
    const sim::Handle vehicle = state.crewVehicle;
    ASSERT_TRUE(world().isSittingIn(state.gunnerPed, vehicle));
    EXPECT_EQ(entity(state.gunnerPed).seat, 7);

    // The player gets in; the supervisor finds the player in the crew vehicle in mode 0.
    world().orderEnterVehicle(world().playerPed, vehicle, -1);
    host().runFor(2500);
    ASSERT_TRUE(world().isSittingIn(world().playerPed, vehicle));
    EXPECT_EQ(state.playerVehicle, vehicle);

    // Holding the left button fires where the camera points; the first order brings level 1.
    host().setKey(Key::leftButton, true);
    host().runFrames(1);
    EXPECT_EQ(world().wantedLevel, 1);
    EXPECT_EQ(state.wantedLevel, 1);
    host().runFor(500);
    host().setKey(Key::leftButton, false);
    const std::size_t manualShots = world().shots.size();
    EXPECT_GE(manualShots, 4u);
    for (std::size_t i = 0; i < manualShots; ++i) EXPECT_GT(world().shots[i].point.y, 20.0f);

    // E switches to mode 1 with its message; the gunner then picks the ped that hurt the player.
    tap({Key::letterE});
    EXPECT_EQ(state.attackMode, 1);
    EXPECT_EQ(state.statusText, "Attack mode: Tobek attack enemies.");
    EXPECT_TRUE(host().runUntil([&] { return !entity(hostile).alive; }, 400));
    EXPECT_EQ(state.targetPed, hostile);

    int hits = 0;
    for (std::size_t i = manualShots; i < world().shots.size(); ++i) {
        const sim::ShotRecord& shot = world().shots[i];
        // While E's message holds the script, the camera-directed shoot task fires on where it was.
        if (!shot.ordered && shot.point.y > 20.0f) continue;
        EXPECT_GE(shot.point.x, 15.0f);
        EXPECT_LE(shot.point.x, 15.0f + 99.0f * 0.007f + 1e-4f);
        EXPECT_NE(shot.hit, bystander);
        if (shot.hit == hostile) ++hits;
    }
    EXPECT_EQ(hits, 8);  // 200 health, 25 a hit
    EXPECT_TRUE(entity(hostile).damagedBy.count(state.gunnerPed) != 0);
    EXPECT_TRUE(entity(bystander).alive);
    EXPECT_EQ(state.crewVehicle, vehicle);
}

}  // namespace

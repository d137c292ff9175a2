// The crew's mends against the game's behaviour: fire that stops with the order, aim along the
// camera in first person, a spawn point clear of the player, the menu holding back the game's
// controls, and no shots or menu keys during cutscenes.
#include "crew/crew_fixture.h"
#include "runtime/game_controls.h"
#include "runtime/game_key_spelling.h"
#include "runtime/platform_calls.h"
#include "world/game_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using test::CrewTest;
using test::floatAt;
using test::intAt;

class MendsTest : public CrewTest {
protected:
    void SetUp() override {
        startScript();
        crew = placeCrew(7, sim::Vec3{0.0f, 5.0f, 0.0f});
        seatPlayerIn(crew.vehicle);
        world().camera = sim::Vec3{0.0f, -6.0f, 2.0f};
    }
    std::size_t roundsWithoutOrder() {
        std::size_t count = 0;
        for (const auto& round : world().shots) count += round.ordered ? 0 : 1;
        return count;
    }
    // A ped the gunner will pick in mode 1: it has hurt the player.
    sim::Handle enemy(sim::Vec3 where) {
        const sim::Handle ped = world().addPed(sim::hashName("g_m_y_lost_01"), where);
        world().damage(world().playerPed, ped, 1);
        return ped;
    }

    test::PlacedCrew crew;
};

TEST_F(MendsTest, ReleasingTheLeftButtonOrdersAimOnceAtTheAimPoint) {
    // Level with the raised head, 10 behind it: the smoothed point stays at (20, 5, head).
    world().camera = sim::Vec3{-10.0f, 5.0f, sim::Entities::headHeight + 0.8f};
    state.aimPoint = makeVector3(20.0f, 5.0f, sim::Entities::headHeight);
    host().setKey(Key::leftButton, true);
    host().runFor(500);
    ASSERT_FALSE(host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD").empty());
    const std::size_t from = mark();
    host().setKey(Key::leftButton, false);
    host().runFor(1000);

    const auto aims = callsSince(from, "TASK_VEHICLE_AIM_AT_COORD");
    ASSERT_EQ(aims.size(), 1u);
    EXPECT_EQ(intAt(aims[0], 0), crew.gunner);
    EXPECT_EQ(floatAt(aims[0], 1), state.aimPoint.x);
    EXPECT_EQ(floatAt(aims[0], 2), state.aimPoint.y);
    EXPECT_EQ(floatAt(aims[0], 3), state.aimPoint.z);
    EXPECT_LE(aims[0]->tick - callsSince(from).front()->tick, 10u + host().frameMs());
    EXPECT_TRUE(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").empty());
    // The world agrees: the shoot task was replaced, no round came without an order.
    EXPECT_EQ(entity(crew.gunner).task.kind, sim::TaskKind::AimAtCoord);
    EXPECT_EQ(roundsWithoutOrder(), 0u);
}

TEST_F(MendsTest, WithoutAShotOrderNoAimOrderIsGiven) {
    host().runFor(1000);
    EXPECT_TRUE(host().callsNamed("TASK_VEHICLE_AIM_AT_COORD").empty());
}

TEST_F(MendsTest, AutomaticFireStopsAtTheLastPointWhenTheTargetIsGone) {
    state.attackMode = 1;
    const sim::Handle ped = enemy(sim::Vec3{10.0f, 20.0f, 0.0f});
    world().find(ped)->health = 100000;
    ASSERT_TRUE(host().runUntil([&] { return host().countCalls("TASK_VEHICLE_SHOOT_AT_COORD") >= 3; }, 500));
    const auto shots = host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD");
    const std::size_t from = mark();
    world().remove(ped);
    host().runFor(2500);  // past the next scan as well

    const auto aims = callsSince(from, "TASK_VEHICLE_AIM_AT_COORD");
    ASSERT_EQ(aims.size(), 1u);
    const auto lastShot = host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD").back();
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(floatAt(aims[0], i), floatAt(lastShot, i)) << i;
    EXPECT_EQ(roundsWithoutOrder(), 0u);
}

TEST_F(MendsTest, AScanThatFindsNoTargetStopsTheFireOnce) {
    state.attackMode = 1;
    const sim::Handle ped = enemy(sim::Vec3{10.0f, 20.0f, 0.0f});
    world().find(ped)->health = 100000;
    ASSERT_TRUE(host().runUntil([&] { return host().countCalls("TASK_VEHICLE_SHOOT_AT_COORD") >= 3; }, 500));
    const std::size_t from = mark();
    world().find(ped)->hiddenFromGunner = true;  // still there, out of sight: the scan drops it
    host().runFor(3000);
    EXPECT_EQ(callsSince(from, "TASK_VEHICLE_AIM_AT_COORD").size(), 1u);
    EXPECT_EQ(state.targetPed, 0);
}

TEST_F(MendsTest, InFirstPersonTheRayFollowsTheCamerasFacing) {
    world().cameraView = sim::CameraView::FirstPerson;
    world().firstPersonYaw = 0.0f;
    world().firstPersonPitch = 0.0f;
    state.aimPoint = makeVector3(0.0f, 25.0f, 0.7f);
    host().runFrames(1);
    // 20 units north of the gunner's head, level: where the player looks.
    EXPECT_NEAR(state.aimPoint.x, 0.0f, 1e-4f);
    EXPECT_NEAR(state.aimPoint.y, 25.0f, 1e-4f);
    EXPECT_NEAR(state.aimPoint.z, 0.7f, 1e-4f);

    host().setKey(Key::leftButton, true);
    host().runFor(500);
    for (const auto& round : world().shots) EXPECT_FALSE(round.behindCamera);
}

TEST_F(MendsTest, ThirdPersonNumbersDoNotMove) {
    // Camera 10 behind the head along -x, level with the raised head: the ray runs along +x.
    world().camera = sim::Vec3{-10.0f, 5.0f, sim::Entities::headHeight + 0.8f};
    state.aimPoint = makeVector3(20.0f, 5.0f, sim::Entities::headHeight);
    host().runFrames(1);
    EXPECT_EQ(state.aimPoint.x, 20.0f);
    EXPECT_EQ(state.aimPoint.y, 5.0f);
    EXPECT_EQ(state.aimPoint.z, sim::Entities::headHeight);
    EXPECT_EQ(host().countCalls("GET_GAMEPLAY_CAM_ROT"), 1u);
    EXPECT_EQ(host().callsNamed("GET_GAMEPLAY_CAM_ROT")[0]->intArg(0), 2);
}

TEST_F(MendsTest, NoShotOrderInACutsceneAndFireInForceStops) {
    host().setKey(Key::leftButton, true);
    host().runFor(300);
    const std::size_t from = mark();
    host().world().startCutscene();
    // The held button is also the game's skip key: this cutscene, as a mission may, cannot be skipped.
    host().addFrameHook([](sim::SimHost& game) { game.world().controls.disable(sim::skipCutsceneControl); });
    host().runFor(1000);
    EXPECT_TRUE(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").empty());
    EXPECT_EQ(callsSince(from, "TASK_VEHICLE_AIM_AT_COORD").size(), 1u);
    EXPECT_EQ(roundsWithoutOrder(), 0u);

    EXPECT_TRUE(host().world().cutscene.active);
    host().world().endCutscene();
    host().runFor(300);
    EXPECT_FALSE(callsSince(from, "TASK_VEHICLE_SHOOT_AT_COORD").empty());
}

TEST_F(MendsTest, ModeTwoHoldsFireInACutscene) {
    state.attackMode = 2;
    host().world().startCutscene();
    world().addPed(sim::hashName("a_m_y_hipster_01"), sim::Vec3{3.0f, 12.0f, 0.0f});
    host().runFor(3000);
    EXPECT_NE(state.targetPed, 0) << "it still picks a target";
    EXPECT_TRUE(host().callsNamed("TASK_VEHICLE_SHOOT_AT_COORD").empty());
    EXPECT_TRUE(world().shots.empty());
}

class MenuControlsTest : public CrewTest {};

TEST_F(MenuControlsTest, TheOpenMenuDisablesEveryControlSharingItsKeysEachFrame) {
    startScript();
    const std::set<int> expected{18, 111, 112, 176, 201};
    std::set<int> held(state.menuControls.controls.begin(),
                       state.menuControls.controls.begin() + state.menuControls.count);
    for (const int control : expected) EXPECT_TRUE(held.count(control)) << control;
    EXPECT_TRUE(held.count(10)) << "INPUT_SCRIPTED_FLY_ZUP, spelt PAGEUP";
    EXPECT_TRUE(held.count(208)) << "INPUT_FRONTEND_RT, spelt PAGE UP";
    EXPECT_FALSE(held.count(0)) << "V is no menu key";

    host().runFrames(5);
    EXPECT_EQ(host().countCalls("DISABLE_CONTROL_ACTION"), 0u) << "closed menu";
    state.menuOpen = true;
    for (int frame = 0; frame < 3; ++frame) {
        const std::size_t from = mark();
        host().runFrames(1);
        const auto disabled = callsSince(from, "DISABLE_CONTROL_ACTION");
        ASSERT_EQ(disabled.size(), state.menuControls.count);
        std::set<int> seen;
        for (const auto* call : disabled) {
            EXPECT_EQ(intAt(call, 0), 0);
            EXPECT_EQ(intAt(call, 2), 1);
            seen.insert(intAt(call, 1));
        }
        EXPECT_EQ(seen, held);
    }
}

TEST_F(MenuControlsTest, TheSetFollowsTheKeysTheSettingsBind) {
    giveScriptFolder("[keys]\nup = Up\ndown = Down\nchoose = Space\n");
    startScript();
    std::set<int> held(state.menuControls.controls.begin(),
                       state.menuControls.controls.begin() + state.menuControls.count);
    EXPECT_FALSE(held.count(111));
    EXPECT_FALSE(held.count(201));
    EXPECT_TRUE(held.count(172)) << "INPUT_CELLPHONE_UP, ARROW UP";
    EXPECT_TRUE(held.count(22)) << "INPUT_JUMP, SPACEBAR";
}

TEST_F(MenuControlsTest, InACutsceneTheMenuKeysDoNothing) {
    startScript();
    host().world().startCutscene();
    host().setKey(Key::control, true);
    host().setKey(Key::letterI, true);
    host().runFrames(5);
    EXPECT_FALSE(state.menuOpen);
    host().world().endCutscene();
    host().runFrames(2);
    EXPECT_TRUE(state.menuOpen);
}

TEST(GameKeySpelling, TheTablesSpellingsBecomeKeyCodes) {
    EXPECT_EQ(gameKeys::keyCode("NUMPAD 8"), 0x68);
    EXPECT_EQ(gameKeys::keyCode("NUMPAD8"), 0x68);
    EXPECT_EQ(gameKeys::keyCode("PAGEUP"), 0x21);
    EXPECT_EQ(gameKeys::keyCode("PAGE UP"), 0x21);
    EXPECT_EQ(gameKeys::keyCode(" page down "), 0x22);
    EXPECT_EQ(gameKeys::keyCode("ENTER"), 0x0D);
    EXPECT_EQ(gameKeys::keyCode("NUMPAD ENTER"), 0x0D);
    EXPECT_EQ(gameKeys::keyCode("F8 (CONSOLE)"), 0x77);
    EXPECT_EQ(gameKeys::keyCode("ARROW UP"), 0x26);
    EXPECT_EQ(gameKeys::keyCode("LEFT MOUSE BUTTON"), 0x01);
    EXPECT_EQ(gameKeys::keyCode("E"), 'E');
    EXPECT_EQ(gameKeys::keyCode("SCROLLWHEEL UP"), 0);
    EXPECT_EQ(gameKeys::keyCode("NONE"), 0);
    EXPECT_EQ(gameKeys::keyCode("F25"), 0);
    EXPECT_EQ(gameKeys::keyCode("A VERY LONG NAME THAT NAMES NO KEY AT ALL"), 0);
}

TEST(GameKeySpelling, ControlsSharingKeysReadsEveryKeyOfACell) {
    const KeyBinding enter = *parseKeyBinding("Enter");
    const KeyBinding none{};
    const ControlSet found = controlsSharingKeys(
        "# comment\n18\tINPUT_SKIP_CUTSCENE\tENTER / LEFT MOUSE BUTTON / SPACEBAR\tA\n"
        "22\tINPUT_JUMP\tSPACEBAR\tX\nbad\tline\n201\tINPUT_FRONTEND_ACCEPT\tNUMPAD ENTER\tA",
        none, none, enter);
    ASSERT_EQ(found.count, 2u);
    EXPECT_EQ(found.controls[0], 18);
    EXPECT_EQ(found.controls[1], 201);
}

}  // namespace

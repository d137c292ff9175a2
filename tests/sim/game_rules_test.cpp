// The world plays by the game's rules: a shoot task lasts until something replaces it, the camera
// has a first-person view and a rotation, vehicle models have boxes, controls answer keys unless a
// script disables them for the frame, and cutscenes play.
#include "host/sim_host.h"
#include "runtime/natives.h"
#include "support/script_harness.h"
#include "world/game_controls.h"
#include "world/game_vehicles.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using sim::Handle;
using sim::Vec3;

class GameRulesTest : public ::testing::Test {
protected:
    sim::Entities& world() { return host.world().entities; }
    sim::SimEntity& entity(Handle handle) { return *world().find(handle); }
    void TearDown() override { test::expectNoProtocolErrors(host); }

    // A gunner seated in a car at the origin, and a target 10 units east.
    void placeGunner() {
        vehicle = world().addVehicle(sim::hashName("insurgent"), Vec3{});
        gunner = world().addPed(sim::hashName("s_m_y_blackops_01"), Vec3{});
        world().seatPed(gunner, vehicle, 7);
        target = world().addPed(sim::hashName("a_m_y_hipster_01"), Vec3{10.0f, 0.0f, 0.0f});
        entity(target).health = 1000;
    }
    std::size_t roundsWithoutOrder() const {
        std::size_t count = 0;
        for (const auto& round : host.world().entities.shots) count += round.ordered ? 0 : 1;
        return count;
    }

    sim::SimHost host;
    Handle vehicle = 0;
    Handle gunner = 0;
    Handle target = 0;
};

TEST_F(GameRulesTest, AShootOrderFiresOnEveryHundredMillisecondsUntilReplaced) {
    placeGunner();
    taskVehicleShootAtCoord(gunner, 10.0f, 0.0f, 0.5f, 1.0f);
    ASSERT_EQ(world().shots.size(), 1u);
    EXPECT_TRUE(world().shots[0].ordered);

    // One second with no further order: the task goes on, a round every 100 ms at its point.
    host.runFor(1000);
    const std::size_t lasting = roundsWithoutOrder();
    EXPECT_GE(lasting, 9u);
    EXPECT_LE(lasting, 10u);
    for (std::size_t i = 1; i < world().shots.size(); ++i) {
        EXPECT_GE(world().shots[i].tick - world().shots[i - 1].tick, sim::Entities::roundGapMs);
        EXPECT_EQ(world().shots[i].hit, target);
    }
    EXPECT_EQ(entity(target).health, 1000 - static_cast<int>(world().shots.size()) * sim::Entities::shotDamage);

    // Aiming replaces it: not one round more.
    taskVehicleAimAtCoord(gunner, 10.0f, 0.0f, 0.5f);
    const std::size_t fired = world().shots.size();
    host.runFor(1000);
    EXPECT_EQ(world().shots.size(), fired);
    EXPECT_EQ(entity(gunner).task.kind, sim::TaskKind::AimAtCoord);
}

TEST_F(GameRulesTest, LeavingTheVehicleDyingOrAnyLaterTaskEndsTheFire) {
    placeGunner();
    taskVehicleShootAtCoord(gunner, 10.0f, 0.0f, 0.5f, 1.0f);
    world().unseatPed(gunner);
    host.runFor(500);
    EXPECT_EQ(world().shots.size(), 1u) << "out of the vehicle";
    EXPECT_EQ(entity(gunner).task.kind, sim::TaskKind::None);

    world().seatPed(gunner, vehicle, 7);
    host.runFor(200);
    taskVehicleShootAtCoord(gunner, 10.0f, 0.0f, 0.5f, 1.0f);
    world().setHealth(entity(gunner), 0);
    host.runFor(500);
    EXPECT_EQ(world().shots.size(), 2u) << "dead";

    const Handle other = world().addPed(sim::hashName("s_m_y_blackops_01"), Vec3{});
    world().seatPed(other, vehicle, 1);
    taskVehicleShootAtCoord(other, 10.0f, 0.0f, 0.5f, 1.0f);
    taskLeaveVehicle(other, vehicle, 0);
    host.runFor(500);
    EXPECT_EQ(world().shots.size(), 3u) << "leaving";
    EXPECT_EQ(roundsWithoutOrder(), 0u);
}

TEST_F(GameRulesTest, OrdersCloserThanTheRoundGapFireOnTheTasksOwnCadence) {
    placeGunner();
    for (int i = 0; i < 10; ++i) {
        taskVehicleShootAtCoord(gunner, 10.0f, 0.0f, 0.5f, 1.0f);
        host.runFrames(1);  // 16 ms frames
    }
    // Ten orders over ten frames of at most 16 ms: a round per 100 ms, not one per order.
    EXPECT_GE(world().shots.size(), 2u);
    EXPECT_LE(world().shots.size(), 3u);
    for (std::size_t i = 1; i < world().shots.size(); ++i)
        EXPECT_GE(world().shots[i].tick - world().shots[i - 1].tick, sim::Entities::roundGapMs);
}

TEST_F(GameRulesTest, TheThirdPersonCameraLooksAtThePlayerAndFirstPersonSitsAtTheDriversHead) {
    world().camera = Vec3{0.0f, -6.0f, 2.0f};
    EXPECT_EQ(getGameplayCamCoord().y, -6.0f);
    Vector3 rotation = getGameplayCamRot(2);
    EXPECT_NEAR(rotation.x, -std::atan2(2.0, 6.0) * 180.0 / 3.14159265358979, 1e-3);
    EXPECT_NEAR(rotation.z, 0.0f, 1e-5f);

    // Looking east from the west is a yaw of -90: positive yaw turns left, towards -x.
    world().camera = Vec3{-10.0f, 0.0f, 0.0f};
    EXPECT_NEAR(getGameplayCamRot(2).z, -90.0f, 1e-3f);

    const Handle car = world().addVehicle(sim::hashName("insurgent"), Vec3{0.0f, 5.0f, 0.0f}, 90.0f);
    world().seatPed(world().playerPed, car, -1);
    world().cameraView = sim::CameraView::FirstPerson;
    world().firstPersonYaw = 90.0f;
    world().firstPersonPitch = 10.0f;
    // The driver's head, turned with the car facing west: (-0.5, 1.0) becomes (-1.0, -0.5).
    const Vector3 at = getGameplayCamCoord();
    EXPECT_NEAR(at.x, -1.0f, 1e-5f);
    EXPECT_NEAR(at.y, 4.5f, 1e-5f);
    EXPECT_NEAR(at.z, 1.0f, 1e-5f);
    rotation = getGameplayCamRot(2);
    EXPECT_EQ(rotation.x, 10.0f);
    EXPECT_EQ(rotation.y, 0.0f);
    EXPECT_EQ(rotation.z, 90.0f);
    const Vec3 facing = world().cameraFacing();
    EXPECT_NEAR(facing.x, -std::cos(10.0 * 3.14159265358979 / 180.0), 1e-5);
    EXPECT_NEAR(facing.y, 0.0f, 1e-5f);
}

// The old mode-0 ray in first person: from the driver's head through the gunner's raised head,
// which sits behind it, so the round lands behind the camera's look.
TEST_F(GameRulesTest, ARoundBehindTheFirstPersonCameraIsMarked) {
    placeGunner();
    world().seatPed(world().playerPed, vehicle, -1);
    world().cameraView = sim::CameraView::FirstPerson;
    world().firstPersonYaw = 0.0f;
    const Vector3 camera = getGameplayCamCoord();
    const Vec3 head{0.0f, 0.0f, sim::Entities::headHeight + 0.8f};
    const Vec3 away = Vec3{head.x - camera.x, head.y - camera.y, head.z - camera.z};
    const float length = sim::length(away);
    const Vec3 point = head + away * (20.0f / length);
    taskVehicleShootAtCoord(gunner, point.x, point.y, point.z, 1.0f);
    ASSERT_EQ(world().shots.size(), 1u);
    EXPECT_TRUE(world().shots[0].behindCamera);
    EXPECT_LT(point.y, 0.0f);

    taskVehicleAimAtCoord(gunner, 0.0f, 30.0f, 1.0f);
    host.runFor(200);
    taskVehicleShootAtCoord(gunner, 0.0f, 30.0f, 1.0f, 1.0f);
    EXPECT_FALSE(world().shots.back().behindCamera);
}

TEST_F(GameRulesTest, ModelDimensionsComeFromTheGamesVehicleTable) {
    Vector3 minimum;
    Vector3 maximum;
    getModelDimensions(getHashKey("valkyrie"), &minimum, &maximum);
    EXPECT_FLOAT_EQ(minimum.x, -7.7798f);
    EXPECT_FLOAT_EQ(minimum.y, -10.7292f);
    EXPECT_FLOAT_EQ(maximum.y, 7.7236f);
    EXPECT_FLOAT_EQ(maximum.z, 3.2504f);
    getModelDimensions(getHashKey("technical"), &minimum, &maximum);
    EXPECT_FLOAT_EQ(maximum.y, 2.4444f);
    getModelDimensions(getHashKey("s_m_y_blackops_01"), &minimum, &maximum);
    EXPECT_EQ(minimum.x, 0.0f);
    EXPECT_EQ(maximum.z, 0.0f);
}

// Where the script used to put it, 5 ahead at heading 0, the Valkyrie's tail boom holds a
// player facing north, and its nose one facing south; the Technical and Insurgent never do.
TEST_F(GameRulesTest, AVehicleCreatedWithThePlayerInsideItsBoxIsNoted) {
    for (const char* name : {"valkyrie", "technical", "insurgent"}) {
        world().requestModel(sim::hashName(name));
        world().findModel(sim::hashName(name))->loaded = true;
    }
    const Handle north = world().createVehicle(sim::hashName("valkyrie"), Vec3{0.0f, 5.0f, 0.0f}, 0.0f);
    EXPECT_TRUE(entity(north).createdOnPlayer);
    const Handle south = world().createVehicle(sim::hashName("valkyrie"), Vec3{0.0f, -5.0f, 0.0f}, 0.0f);
    EXPECT_TRUE(entity(south).createdOnPlayer);
    const Handle clear = world().createVehicle(sim::hashName("valkyrie"), Vec3{0.0f, 11.73f, 0.0f}, 0.0f);
    EXPECT_FALSE(entity(clear).createdOnPlayer);
    EXPECT_EQ(world().vehiclesCreatedOnPlayer, 2);
    for (float heading = 0.0f; heading < 360.0f; heading += 15.0f) {
        const double radians = heading * 3.14159265358979 / 180.0;
        const Vec3 ahead{static_cast<float>(-5.0 * std::sin(radians)), static_cast<float>(5.0 * std::cos(radians)),
                         0.0f};
        EXPECT_FALSE(entity(world().createVehicle(sim::hashName("technical"), ahead, 0.0f)).createdOnPlayer);
        EXPECT_FALSE(entity(world().createVehicle(sim::hashName("insurgent"), ahead, 0.0f)).createdOnPlayer);
    }
}

class ControlsTest : public GameRulesTest {
protected:
    sim::World& game() { return host.world(); }
    // The player flying a Valkyrie from its pilot seat.
    Handle flyValkyrie() {
        const Handle heli = world().addVehicle(sim::hashName("valkyrie"), Vec3{0.0f, 20.0f, 50.0f});
        world().seatPed(world().playerPed, heli, -1);
        return heli;
    }
};

TEST_F(ControlsTest, NumPadEightAndFivePitchAHelicopterThePlayerFlies) {
    const Handle heli = flyValkyrie();
    host.setKey(0x68, true);  // NumPad 8
    host.runFor(1000);
    EXPECT_NEAR(entity(heli).pitch, 30.0f, 1.0f);
    EXPECT_GT(game().helicopterPitchFrames, 0u);
    host.setKey(0x68, false);
    host.setKey(0x65, true);  // NumPad 5
    host.runFor(1000);
    EXPECT_NEAR(entity(heli).pitch, 0.0f, 1.0f);

    // A car does not answer the flying controls, nor does a helicopter the player rides in the back.
    world().seatPed(world().playerPed, heli, 1);
    const std::uint64_t frames = game().helicopterPitchFrames;
    host.runFor(500);
    EXPECT_EQ(game().helicopterPitchFrames, frames);
}

TEST_F(ControlsTest, ADisabledControlIsHeldBackForThatFrameOnly) {
    const Handle heli = flyValkyrie();
    host.setKey(0x68, true);
    host.addFrameHook([](sim::SimHost&) { disableControlAction(0, sim::flyPitchUpControl, true); });
    host.runFor(500);
    EXPECT_EQ(entity(heli).pitch, 0.0f);
    EXPECT_EQ(game().controls.framesWorked[sim::flyPitchUpControl], 0u);
    // Only that control: the submarine's pitch on the same key still works.
    EXPECT_GT(game().controls.framesWorked[127], 0u);
}

TEST_F(ControlsTest, EnterSkipsACutsceneUnlessDisabled) {
    game().startCutscene();
    EXPECT_TRUE(isCutsceneActive());
    host.setKey(0x0D, true);
    host.addFrameHook([](sim::SimHost&) { disableControlAction(0, sim::skipCutsceneControl, true); });
    host.runFrames(3);
    EXPECT_TRUE(isCutsceneActive()) << "disabled every frame";
    EXPECT_EQ(game().cutscene.skipped, 0u);
}

TEST_F(ControlsTest, EnterSkipsACutscene) {
    game().startCutscene();
    host.setKey(0x0D, true);
    host.runFrames(1);
    EXPECT_FALSE(isCutsceneActive());
    EXPECT_EQ(game().cutscene.skipped, 1u);
    // Keys count only while the game's window has the focus.
    game().startCutscene();
    host.setFocus(false);
    host.runFrames(2);
    EXPECT_TRUE(isCutsceneActive());
}

TEST(GameControlTable, TheKeySpellingsOfTheTableAreRead) {
    const auto& ofNumpad8 = sim::controlsOfKey(0x68);
    EXPECT_NE(std::find(ofNumpad8.begin(), ofNumpad8.end(), 111), ofNumpad8.end());
    const auto& ofEnter = sim::controlsOfKey(0x0D);
    for (const int control : {18, 176, 201})
        EXPECT_NE(std::find(ofEnter.begin(), ofEnter.end(), control), ofEnter.end());
    const auto& ofPageUp = sim::controlsOfKey(0x21);  // spelt PAGEUP and PAGE UP
    for (const int control : {10, 208, 316})
        EXPECT_NE(std::find(ofPageUp.begin(), ofPageUp.end(), control), ofPageUp.end());
    EXPECT_EQ(sim::gameControls().size(), 361u);
    EXPECT_EQ(sim::gameControlCount(), 361);
    EXPECT_THROW(sim::parseGameControls("12\tINPUT_X\n"), std::runtime_error);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) ADD_FAILURE() << "cannot read " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(GameTables, TheBundledCopiesAreByteForByteTheSharedTables) {
    for (const std::string name : {"game-vehicles.tsv", "game-controls.tsv"}) {
        const std::string shared = readFile(std::string(TG_SHARED_DIR) + "/" + name);
        ASSERT_FALSE(shared.empty()) << name;
        EXPECT_EQ(readFile(std::string(TG_SOURCE_DIR) + "/data/" + name), shared) << "copy " << name << " over";
    }
    EXPECT_TRUE(sim::gameVehiclesText == readFile(std::string(TG_SHARED_DIR) + "/game-vehicles.tsv"));
    EXPECT_TRUE(sim::gameControlsText == readFile(std::string(TG_SHARED_DIR) + "/game-controls.tsv"));
    EXPECT_GT(sim::gameVehicles().size(), 700u);
    EXPECT_THROW(sim::parseGameVehicles("adder\t0xB779A091\tCAR\t2\t1\t2\n"), std::runtime_error);
}

}  // namespace

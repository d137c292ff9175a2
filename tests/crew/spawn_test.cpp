// Crew spawning: the three vehicles, dismissing the old crew, and the failures.
#include "crew/crew_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <ostream>

namespace {

using test::CrewTest;
class SpawnTest : public CrewTest {};
using test::floatAt;
using test::intAt;
using ::testing::ElementsAre;

struct VehicleCase {
    std::int32_t selection;
    const char* model;
    const char* message;
    std::int32_t seat;
    float scanAhead;
    bool valkyrie;
    std::int32_t mode;
};

// gtest describes every parameter; without this it dumps the raw bytes, padding included,
// which are uninitialised (Valgrind reports the read).
void PrintTo(const VehicleCase& c, std::ostream* out) { *out << c.model; }

class SpawnEachVehicle : public CrewTest, public ::testing::WithParamInterface<VehicleCase> {};

TEST_P(SpawnEachVehicle, PlacesTheVehicleAheadAndTheArmedGunnerInItsSeat) {
    const VehicleCase& c = GetParam();
    startScript();
    // Facing west: 5 units along the ped's own y axis is 5 units towards -x.
    world().player().position = sim::Vec3{100.0f, 50.0f, 0.0f};
    world().player().heading = 90.0f;
    state.attackMode = 2;
    state.scanOffset = makeVector3(1.0f, 2.0f, 3.0f);
    state.vehicleIsValkyrie = !c.valkyrie;

    spawnFromMenu(c.selection);

    ASSERT_TRUE(world().exists(state.crewVehicle));
    ASSERT_TRUE(world().exists(state.gunnerPed));
    const sim::SimEntity& vehicle = entity(state.crewVehicle);
    EXPECT_EQ(vehicle.model, sim::hashName(c.model));
    // The Valkyrie's box (-7.78..7.78 across) would hold the player 5 units away; it is moved on
    // until he clears it by 1.0. The others keep the point 5 units ahead.
    const float ahead = c.valkyrie ? 7.7799f + 1.0f : 5.0f;
    EXPECT_NEAR(vehicle.position.x, 100.0f - ahead, 1e-4);
    EXPECT_NEAR(vehicle.position.y, 50.0f, 1e-4);
    EXPECT_EQ(vehicle.heading, 0.0f);

    const auto created = host().callsNamed("CREATE_VEHICLE");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0]->slots[0], sim::hashName(c.model));
    EXPECT_EQ(floatAt(created[0], 4), 0.0f);
    EXPECT_EQ(intAt(created[0], 5), 1);
    EXPECT_EQ(intAt(created[0], 6), 1);
    // The first offset asked is the spawn point; the supervisor's scans come later.
    const auto offset = host().callsNamed("GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS");
    ASSERT_FALSE(offset.empty());
    EXPECT_LT(offset[0]->frame, created[0]->frame + 1);
    EXPECT_EQ(intAt(offset[0], 0), world().playerPed);
    EXPECT_EQ(floatAt(offset[0], 2), 5.0f);
    if (!c.valkyrie) {
        // Exactly the point the game answered, bit for bit.
        for (int i = 0; i < 3; ++i) EXPECT_EQ(created[0]->slots[1 + i], offset[0]->result[i] & 0xFFFFFFFFu) << i;
    } else {
        ASSERT_GE(offset.size(), 2u);
        EXPECT_NEAR(floatAt(offset[1], 2), ahead, 1e-4f);
        EXPECT_FALSE(vehicle.createdOnPlayer);
    }

    const sim::SimEntity& gunner = entity(state.gunnerPed);
    EXPECT_TRUE(world().isSittingIn(state.gunnerPed, state.crewVehicle));
    EXPECT_EQ(gunner.seat, c.seat);
    EXPECT_EQ(gunner.model, sim::hashName("s_m_y_blackops_01"));
    EXPECT_EQ(gunner.pedType, 0);
    EXPECT_EQ(gunner.group, world().playerGroup);
    EXPECT_TRUE(gunner.neverLeavesGroup);
    EXPECT_EQ(gunner.passengerIndex, 6);
    EXPECT_EQ(gunner.maxHealth, 300);
    EXPECT_EQ(gunner.health, 300);
    EXPECT_EQ(gunner.armour, 100);
    EXPECT_EQ(gunner.weapon, sim::hashName("WEAPON_MICROSMG"));
    EXPECT_EQ(gunner.ammo, 1000);
    EXPECT_TRUE(gunner.keepTask);

    EXPECT_EQ(state.gunnerSeat, c.seat);
    EXPECT_EQ(state.attackMode, c.mode);
    EXPECT_EQ(state.vehicleIsValkyrie, c.valkyrie);
    EXPECT_EQ(state.scanOffset.x, 0.0f);
    EXPECT_EQ(state.scanOffset.y, c.scanAhead);
    EXPECT_EQ(state.scanOffset.z, 0.0f);
    EXPECT_EQ(state.statusText, c.message);
    EXPECT_EQ(state.statusDuration, 3000u);
    // Both model requests were released once their entity stood in the world.
    EXPECT_EQ(world().findModel(sim::hashName(c.model))->releaseCount, 1);
    EXPECT_EQ(world().findModel(sim::hashName("s_m_y_blackops_01"))->releaseCount, 1);
}

INSTANTIATE_TEST_SUITE_P(Vehicles, SpawnEachVehicle,
                         ::testing::Values(VehicleCase{0, "TECHNICAL", "Technical vehicle created.", 1, 0.0f, false, 0},
                                           VehicleCase{1, "INSURGENT", "Insurgent vehicle created.", 7, 0.0f, false, 0},
                                           VehicleCase{2, "VALKYRIE", "Valkyrie vehicle created.", 2, 7.0f, true, 1}),
                         [](const ::testing::TestParamInfo<VehicleCase>& info) {
                             return std::string(info.param.model);
                         });

TEST_F(SpawnTest, SpawnLoadsEachModelFrameByFrameAndPausesBetweenSteps) {
    startScript();
    world().findModel(sim::hashName("INSURGENT"))->framesToLoad = 5;
    const std::size_t from = mark();
    spawnFromMenu(1);

    const auto calls = callsSince(from);
    std::vector<std::string> spawnNames;
    for (const auto* call : calls) {
        const std::string& name = call->name();
        if (name.rfind("SET_TEXT", 0) == 0 || name.rfind("END_TEXT", 0) == 0 || name.rfind("BEGIN_TEXT", 0) == 0 ||
            name == "DRAW_RECT" || name == "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME" ||
            name == "GET_RENDERED_CHARACTER_HEIGHT" || name == "DISABLE_CONTROL_ACTION" ||
            name == "IS_CUTSCENE_ACTIVE") {
            continue;
        }
        if (!spawnNames.empty() && spawnNames.back() == "HAS_MODEL_LOADED" && name == "HAS_MODEL_LOADED") continue;
        spawnNames.push_back(name);
    }
    // The supervisor passes after the spawn are not part of it.
    const auto last = std::find(spawnNames.begin(), spawnNames.end(), "SET_PED_KEEP_TASK");
    ASSERT_NE(last, spawnNames.end());
    spawnNames.erase(last + 1, spawnNames.end());
    EXPECT_THAT(spawnNames,
                ElementsAre("DOES_ENTITY_EXIST", "DOES_ENTITY_EXIST", "GET_HASH_KEY", "IS_MODEL_IN_CDIMAGE",
                            "IS_MODEL_A_VEHICLE", "REQUEST_MODEL", "HAS_MODEL_LOADED", "PLAYER_PED_ID",
                            "GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS", "GET_MODEL_DIMENSIONS", "PLAYER_PED_ID",
                            "GET_ENTITY_COORDS", "CREATE_VEHICLE", "SET_VEHICLE_ON_GROUND_PROPERLY",
                            "SET_MODEL_AS_NO_LONGER_NEEDED", "DOES_ENTITY_EXIST", "GET_HASH_KEY", "IS_MODEL_IN_CDIMAGE",
                            "IS_MODEL_IN_CDIMAGE", "REQUEST_MODEL", "HAS_MODEL_LOADED", "CREATE_PED_INSIDE_VEHICLE",
                            "SET_MODEL_AS_NO_LONGER_NEEDED", "DOES_ENTITY_EXIST", "DOES_ENTITY_EXIST",
                            "GET_PLAYER_GROUP", "SET_PED_AS_GROUP_MEMBER", "SET_PED_NEVER_LEAVES_GROUP",
                            "SET_PED_GROUP_MEMBER_PASSENGER_INDEX", "SET_ENTITY_MAX_HEALTH", "SET_ENTITY_HEALTH",
                            "SET_PED_ARMOUR", "GET_HASH_KEY", "GIVE_DELAYED_WEAPON_TO_PED", "SET_PED_KEEP_TASK"));

    // One load test per frame until the model streamed in: five frames of waiting, six tests.
    const auto vehicleHash = sim::hashName("INSURGENT");
    std::vector<std::uint64_t> loadFrames;
    for (const auto* call : callsSince(from, "HAS_MODEL_LOADED")) {
        if (call->slots[0] == vehicleHash) loadFrames.push_back(call->frame);
    }
    ASSERT_EQ(loadFrames.size(), 6u);
    for (std::size_t i = 1; i < loadFrames.size(); ++i) EXPECT_EQ(loadFrames[i], loadFrames[i - 1] + 1);
    EXPECT_EQ(callsSince(from, "REQUEST_MODEL").size(), 2u);

    // 25 ms after placing the vehicle, before its model is released.
    const auto ground = callsSince(from, "SET_VEHICLE_ON_GROUND_PROPERLY");
    const auto released = callsSince(from, "SET_MODEL_AS_NO_LONGER_NEEDED");
    ASSERT_EQ(ground.size(), 1u);
    ASSERT_EQ(released.size(), 2u);
    EXPECT_GE(released[0]->tick - ground[0]->tick, 25u);
    EXPECT_EQ(floatAt(ground[0], 1), 5.0f);
    // The gunner's model is released first, then 25 ms pass before the set-up.
    const auto group = callsSince(from, "GET_PLAYER_GROUP");
    ASSERT_EQ(group.size(), 1u);
    EXPECT_GE(group[0]->tick - released[1]->tick, 25u);

    const auto weapon = callsSince(from, "GIVE_DELAYED_WEAPON_TO_PED");
    ASSERT_EQ(weapon.size(), 1u);
    EXPECT_EQ(intAt(weapon[0], 2), 1000);
    EXPECT_EQ(intAt(weapon[0], 3), 0);
    const auto createPed = callsSince(from, "CREATE_PED_INSIDE_VEHICLE");
    ASSERT_EQ(createPed.size(), 1u);
    EXPECT_EQ(intAt(createPed[0], 1), 0);
    EXPECT_EQ(intAt(createPed[0], 3), 7);
    const auto health = callsSince(from, "SET_ENTITY_HEALTH");
    ASSERT_EQ(health.size(), 1u);
    EXPECT_EQ(intAt(health[0], 1), 300);
}

TEST_F(SpawnTest, TheMessageHoldsTheScriptForThreeSeconds) {
    startScript();
    const std::size_t from = mark();
    spawnFromMenu(0);
    const auto created = callsSince(from, "CREATE_PED_INSIDE_VEHICLE");
    ASSERT_EQ(created.size(), 1u);
    // The menu closes only once the message wait is over; no supervisor pass ran meanwhile.
    const auto players = callsSince(from, "PLAYER_ID");
    ASSERT_FALSE(players.empty());
    EXPECT_GE(players.front()->tick - created[0]->tick, 3000u);
}

TEST_F(SpawnTest, ASecondSpawnDismissesTheOldCrewFirst) {
    startScript();
    spawnFromMenu(0);
    const sim::Handle oldVehicle = state.crewVehicle;
    const sim::Handle oldGunner = state.gunnerPed;
    host().runFrames(3);

    const std::size_t from = mark();
    spawnFromMenu(1);

    const auto clear = callsSince(from, "CLEAR_PED_TASKS_IMMEDIATELY");
    ASSERT_EQ(clear.size(), 1u);
    EXPECT_EQ(intAt(clear[0], 0), oldGunner);
    const auto coords = callsSince(from, "SET_ENTITY_COORDS");
    ASSERT_EQ(coords.size(), 2u);
    EXPECT_EQ(intAt(coords[0], 0), oldGunner);
    EXPECT_EQ(intAt(coords[1], 0), oldVehicle);
    for (const auto* call : coords) {
        EXPECT_EQ(floatAt(call, 1), 0.0f);
        EXPECT_EQ(floatAt(call, 2), 0.0f);
        EXPECT_EQ(floatAt(call, 3), 0.0f);
        EXPECT_EQ(call->slots[4], 1u);
        EXPECT_EQ(call->slots[5], 0u);
        EXPECT_EQ(call->slots[6], 0u);
        EXPECT_EQ(call->slots[7], 1u);
    }
    // 50 ms between clearing the gunner's tasks and moving it.
    EXPECT_GE(coords[0]->tick - clear[0]->tick, 50u);
    EXPECT_LT(coords[0]->tick - clear[0]->tick, 50u + host().frameMs());
    // The old vehicle goes right after the old gunner; only then is the new model asked for.
    const auto names = namesSince(from);
    const auto at = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_LT(at("SET_PED_AS_NO_LONGER_NEEDED"), at("SET_VEHICLE_AS_NO_LONGER_NEEDED"));
    EXPECT_LT(at("SET_VEHICLE_AS_NO_LONGER_NEEDED"), at("GET_HASH_KEY"));
    // The release natives receive the address of the script's own fields.
    const auto pedRelease = callsSince(from, "SET_PED_AS_NO_LONGER_NEEDED");
    const auto vehicleRelease = callsSince(from, "SET_VEHICLE_AS_NO_LONGER_NEEDED");
    ASSERT_EQ(pedRelease.size(), 1u);
    ASSERT_EQ(vehicleRelease.size(), 1u);
    EXPECT_EQ(pedRelease[0]->slots[0], reinterpret_cast<std::uintptr_t>(&state.gunnerPed));
    EXPECT_EQ(vehicleRelease[0]->slots[0], reinterpret_cast<std::uintptr_t>(&state.crewVehicle));

    EXPECT_TRUE(entity(oldGunner).noLongerNeeded);
    EXPECT_TRUE(entity(oldVehicle).noLongerNeeded);
    EXPECT_EQ(entity(oldVehicle).position.x, 0.0f);
    EXPECT_EQ(entity(oldVehicle).position.y, 0.0f);
    EXPECT_FALSE(world().isSittingIn(oldGunner, oldVehicle));
    EXPECT_NE(state.crewVehicle, oldVehicle);
    EXPECT_NE(state.gunnerPed, oldGunner);
    EXPECT_EQ(state.gunnerSeat, 7);
}

TEST_F(SpawnTest, ThePlayerUsingTheOldCrewVehicleIsTakenOutFirst) {
    startScript();
    spawnFromMenu(2);
    const sim::Handle oldVehicle = state.crewVehicle;
    seatPlayerIn(oldVehicle);
    host().runFrames(3);  // the supervisor records the player's vehicle
    ASSERT_EQ(state.playerVehicle, oldVehicle);

    const std::size_t from = mark();
    spawnFromMenu(0);
    const auto clear = callsSince(from, "CLEAR_PED_TASKS_IMMEDIATELY");
    ASSERT_EQ(clear.size(), 2u);
    EXPECT_EQ(intAt(clear[1], 0), world().playerPed);
    const auto coords = callsSince(from, "SET_ENTITY_COORDS");
    ASSERT_EQ(coords.size(), 2u);
    EXPECT_EQ(intAt(coords[1], 0), oldVehicle);
    EXPECT_GE(coords[1]->tick - clear[1]->tick, 50u);
    // The player stayed where the vehicle was, out of it.
    EXPECT_EQ(world().vehicleUsedBy(world().playerPed), 0);
    EXPECT_EQ(state.attackMode, 0);
    EXPECT_FALSE(state.vehicleIsValkyrie);
    EXPECT_EQ(state.scanOffset.y, 0.0f);
}

TEST_F(SpawnTest, ThePlayerInAnotherVehicleIsNotTouched) {
    startScript();
    spawnFromMenu(0);
    const sim::Handle other = world().addVehicle(sim::hashName("adder"), sim::Vec3{20.0f, 0.0f, 0.0f});
    seatPlayerIn(other);
    host().runFrames(3);
    ASSERT_EQ(state.playerVehicle, other);

    const std::size_t from = mark();
    spawnFromMenu(1);
    const auto clear = callsSince(from, "CLEAR_PED_TASKS_IMMEDIATELY");
    ASSERT_EQ(clear.size(), 1u);
    EXPECT_NE(intAt(clear[0], 0), world().playerPed);
    EXPECT_TRUE(world().isSittingIn(world().playerPed, other));
}

TEST_F(SpawnTest, AVanishedOldCrewIsSkippedSilently) {
    startScript();
    spawnFromMenu(0);
    world().remove(state.gunnerPed);
    world().remove(state.crewVehicle);
    const std::size_t from = mark();
    spawnFromMenu(0);
    EXPECT_TRUE(callsSince(from, "CLEAR_PED_TASKS_IMMEDIATELY").empty());
    EXPECT_TRUE(callsSince(from, "SET_ENTITY_COORDS").empty());
    EXPECT_EQ(state.statusText, "Technical vehicle created.");
}

TEST_F(SpawnTest, AMissingVehicleModelIsNeverRequested) {
    startScript();
    world().findModel(sim::hashName("INSURGENT"))->inImage = false;
    const std::size_t from = mark();
    spawnFromMenu(1);
    EXPECT_TRUE(callsSince(from, "REQUEST_MODEL").empty());
    EXPECT_TRUE(callsSince(from, "IS_MODEL_A_VEHICLE").empty());
    EXPECT_TRUE(callsSince(from, "CREATE_VEHICLE").empty());
    EXPECT_TRUE(callsSince(from, "CREATE_PED_INSIDE_VEHICLE").empty());
    EXPECT_EQ(state.crewVehicle, 0);
    EXPECT_EQ(state.gunnerPed, 0);
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
    EXPECT_EQ(state.statusDuration, 3000u);
    EXPECT_EQ(state.gunnerSeat, 7);
}

TEST_F(SpawnTest, AModelThatIsNotAVehicleFails) {
    startScript();
    world().findModel(sim::hashName("TECHNICAL"))->isVehicle = false;
    const std::size_t from = mark();
    spawnFromMenu(0);
    EXPECT_EQ(callsSince(from, "IS_MODEL_A_VEHICLE").size(), 1u);
    EXPECT_TRUE(callsSince(from, "REQUEST_MODEL").empty());
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
}

TEST_F(SpawnTest, AVehicleTheGameRefusesLeavesNoGunner) {
    startScript();
    world().findModel(sim::hashName("INSURGENT"))->refuseCreation = true;
    const std::size_t from = mark();
    spawnFromMenu(1);
    EXPECT_EQ(callsSince(from, "CREATE_VEHICLE").size(), 1u);
    EXPECT_TRUE(callsSince(from, "CREATE_PED_INSIDE_VEHICLE").empty());
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
}

TEST_F(SpawnTest, WithNeitherGunnerModelTheVehicleStandsAlone) {
    startScript();
    world().findModel(sim::hashName("s_m_y_blackops_01"))->inImage = false;
    const std::size_t from = mark();
    spawnFromMenu(1);
    ASSERT_TRUE(world().exists(state.crewVehicle));
    EXPECT_EQ(state.gunnerPed, 0);
    EXPECT_TRUE(callsSince(from, "CREATE_PED_INSIDE_VEHICLE").empty());
    EXPECT_TRUE(callsSince(from, "GET_PLAYER_GROUP").empty());
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
}

TEST_F(SpawnTest, AVehicleModelThatNeverLoadsIsReleasedAfterTenSeconds) {
    startScript();
    world().findModel(sim::hashName("VALKYRIE"))->framesToLoad = -1;
    const std::size_t from = mark();
    spawnFromMenu(2);

    const auto request = callsSince(from, "REQUEST_MODEL");
    const auto release = callsSince(from, "SET_MODEL_AS_NO_LONGER_NEEDED");
    ASSERT_EQ(request.size(), 1u);
    ASSERT_EQ(release.size(), 1u);
    EXPECT_EQ(release[0]->slots[0], sim::hashName("VALKYRIE"));
    const std::uint32_t waited = release[0]->tick - request[0]->tick;
    EXPECT_GT(waited, 10000u);
    EXPECT_LE(waited, 10000u + host().frameMs());
    EXPECT_TRUE(callsSince(from, "CREATE_VEHICLE").empty());
    EXPECT_FALSE(world().findModel(sim::hashName("VALKYRIE"))->requested);
    EXPECT_EQ(state.crewVehicle, 0);
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
    // The per-vehicle values already belong to the choice.
    EXPECT_EQ(state.attackMode, 1);
    EXPECT_TRUE(state.vehicleIsValkyrie);
}

TEST_F(SpawnTest, AGunnerModelThatNeverLoadsLeavesTheVehicle) {
    startScript();
    world().findModel(sim::hashName("s_m_y_blackops_01"))->framesToLoad = -1;
    const std::size_t from = mark();
    spawnFromMenu(0);
    const auto release = callsSince(from, "SET_MODEL_AS_NO_LONGER_NEEDED");
    ASSERT_EQ(release.size(), 2u);
    EXPECT_EQ(release[1]->slots[0], sim::hashName("s_m_y_blackops_01"));
    EXPECT_TRUE(world().exists(state.crewVehicle));
    EXPECT_EQ(state.gunnerPed, 0);
    EXPECT_TRUE(callsSince(from, "CREATE_PED_INSIDE_VEHICLE").empty());
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
}

TEST_F(SpawnTest, AVehicleThatVanishesDuringTheSpawnEndsInFailure) {
    startScript();
    host().addFrameHook([this](sim::SimHost&) {
        if (state.gunnerPed == 0 && world().exists(state.crewVehicle)) world().remove(state.crewVehicle);
    });
    const std::size_t from = mark();
    spawnFromMenu(1);
    EXPECT_EQ(callsSince(from, "CREATE_VEHICLE").size(), 1u);
    EXPECT_TRUE(callsSince(from, "CREATE_PED_INSIDE_VEHICLE").empty());
    EXPECT_EQ(state.gunnerPed, 0);
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
}

TEST_F(SpawnTest, SpawningLeavesTheFireAndWantedFieldsAlone) {
    startScript();
    state.wantedLevel = 2;
    state.wantedProgress = 2.5f;
    state.reentryArmed = false;
    state.aimPoint = makeVector3(1.0f, 2.0f, 3.0f);
    spawnFromMenu(1);
    EXPECT_EQ(state.wantedLevel, 2);
    EXPECT_EQ(state.wantedProgress, 2.5f);
    EXPECT_EQ(state.aimPoint.y, 2.0f);
}

}  // namespace

// The simulated world as the script sees it: every world native asked through the script's own
// wrappers, answered from the entities.
#include "host/sim_host.h"
#include "runtime/natives.h"
#include "support/script_harness.h"
#include "world/entities.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using sim::Handle;
using sim::Vec3;

class WorldTest : public ::testing::Test {
protected:
    sim::Entities& world() { return host.world().entities; }
    sim::SimEntity& entity(Handle handle) { return *world().find(handle); }
    Handle ped(Vec3 where, std::int32_t type = 4) {
        const Handle handle = world().addPed(sim::hashName("a_m_y_hipster_01"), where);
        entity(handle).pedType = type;
        return handle;
    }
    Handle car(Vec3 where, float heading = 0.0f) { return world().addVehicle(sim::hashName("adder"), where, heading); }
    void TearDown() override { test::expectNoProtocolErrors(host); }

    sim::SimHost host;
};

TEST(ModelHash, IsTheJenkinsOneAtATimeHashOfTheLowerCasedName) {
    EXPECT_EQ(sim::hashName("adder"), 0xB779A091u);
    EXPECT_EQ(sim::hashName("ADDER"), 0xB779A091u);
    EXPECT_EQ(sim::hashName("WEAPON_UNARMED"), 0xA2719263u);
    EXPECT_EQ(sim::hashName("weapon_unarmed"), 0xA2719263u);
    EXPECT_NE(sim::hashName("adder"), sim::hashName("adde"));
}

TEST_F(WorldTest, HashKeysAndModelQueries) {
    EXPECT_EQ(getHashKey("adder"), 0xB779A091u);
    EXPECT_EQ(getHashKey("WEAPON_UNARMED"), 0xA2719263u);
    EXPECT_TRUE(isModelInCdimage(getHashKey("INSURGENT")));
    EXPECT_TRUE(isModelAVehicle(getHashKey("INSURGENT")));
    EXPECT_TRUE(isModelInCdimage(getHashKey("s_m_y_blackops_01")));
    EXPECT_FALSE(isModelAVehicle(getHashKey("s_m_y_blackops_01")));
    EXPECT_FALSE(isModelInCdimage(getHashKey("no_such_model")));
    world().findModel(sim::hashName("adder"))->inImage = false;
    EXPECT_FALSE(isModelInCdimage(getHashKey("adder")));
    EXPECT_FALSE(isModelAVehicle(getHashKey("adder")));
}

TEST_F(WorldTest, ModelsStreamInTheGivenNumberOfFramesAfterTheRequest) {
    const Hash model = world().addModel("testcar", true, 3).hash;
    host.runFrames(5);
    EXPECT_FALSE(hasModelLoaded(model)) << "nothing loads without a request";
    requestModel(model);
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_FALSE(hasModelLoaded(model)) << "frame " << frame;
        host.runFrames(1);
    }
    EXPECT_TRUE(hasModelLoaded(model));

    const Hash never = world().addModel("stuck", true, -1).hash;
    requestModel(never);
    host.runFrames(100);
    EXPECT_FALSE(hasModelLoaded(never));
    setModelAsNoLongerNeeded(never);
    EXPECT_FALSE(world().findModel(never)->requested);
    EXPECT_EQ(world().findModel(never)->releaseCount, 1);

    const Hash instant = world().addModel("instant", false, 0).hash;
    requestModel(instant);
    EXPECT_TRUE(hasModelLoaded(instant));
}

TEST_F(WorldTest, CreationNeedsALoadedModelOfTheRightKind) {
    const Hash vehicleModel = getHashKey("adder");
    EXPECT_EQ(createVehicle(vehicleModel, 1.0f, 2.0f, 3.0f, 45.0f, true, true), 0);
    requestModel(vehicleModel);
    host.runFrames(3);
    const Handle v = createVehicle(vehicleModel, 1.0f, 2.0f, 3.0f, 45.0f, true, true);
    ASSERT_TRUE(doesEntityExist(v));
    EXPECT_FALSE(isEntityAPed(v));
    EXPECT_EQ(entity(v).heading, 45.0f);
    EXPECT_TRUE(entity(v).scriptCreated);
    entity(v).upsideDown = true;
    setVehicleOnGroundProperly(v);
    EXPECT_EQ(entity(v).position.z, world().groundZ);
    EXPECT_FALSE(entity(v).upsideDown);
    EXPECT_EQ(host.calls().back().intResult(), 1);

    const Hash pedModel = getHashKey("s_m_y_blackops_01");
    requestModel(pedModel);
    host.runFrames(3);
    EXPECT_EQ(createVehicle(pedModel, 0.0f, 0.0f, 0.0f, 0.0f, true, true), 0);
    const Handle p = createPedInsideVehicle(v, 0, pedModel, 2, true, true);
    ASSERT_TRUE(doesEntityExist(p));
    EXPECT_TRUE(isEntityAPed(p));
    EXPECT_TRUE(isPedSittingInVehicle(p, v));
    EXPECT_EQ(getVehiclePedIsUsing(p), v);
    EXPECT_EQ(getPedType(p), 0);
    EXPECT_EQ(entity(p).seat, 2);
    EXPECT_EQ(createPedInsideVehicle(v, 0, pedModel, 2, true, true), 0) << "the seat is taken";
    EXPECT_EQ(createPedInsideVehicle(p, 0, pedModel, 1, true, true), 0) << "a ped is no vehicle";
}

TEST_F(WorldTest, ThePlayerIsAnswered) {
    EXPECT_EQ(playerId(), world().playerIndex);
    EXPECT_EQ(playerPedId(), world().playerPed);
    EXPECT_EQ(getPlayerGroup(playerId()), world().playerGroup);
    EXPECT_EQ(getVehiclePedIsUsing(playerPedId()), 0);
    const Handle v = car(Vec3{0.0f, 3.0f, 0.0f});
    world().seatPed(world().playerPed, v, -1);
    EXPECT_EQ(getVehiclePedIsUsing(playerPedId()), v);
    EXPECT_EQ(entity(world().playerPed).seat, -1);
}

TEST_F(WorldTest, OffsetsTurnWithTheEntityHeading) {
    const Handle facingNorth = ped(Vec3{10.0f, 20.0f, 1.0f});
    Vector3 at = getOffsetFromEntityInWorldCoords(facingNorth, 0.0f, 5.0f, 0.0f);
    EXPECT_FLOAT_EQ(at.x, 10.0f);
    EXPECT_FLOAT_EQ(at.y, 25.0f);
    EXPECT_FLOAT_EQ(at.z, 1.0f);

    entity(facingNorth).heading = 90.0f;  // west
    at = getOffsetFromEntityInWorldCoords(facingNorth, 0.0f, 5.0f, 2.0f);
    EXPECT_NEAR(at.x, 5.0f, 1e-5);
    EXPECT_NEAR(at.y, 20.0f, 1e-5);
    EXPECT_FLOAT_EQ(at.z, 3.0f);

    entity(facingNorth).heading = 180.0f;
    at = getOffsetFromEntityInWorldCoords(facingNorth, 1.0f, 5.0f, 0.0f);
    EXPECT_NEAR(at.x, 9.0f, 1e-5);
    EXPECT_NEAR(at.y, 15.0f, 1e-5);
}

TEST_F(WorldTest, BonesAndTheCamera) {
    const Handle p = ped(Vec3{1.0f, 2.0f, 3.0f});
    const Vector3 head = getPedBoneCoords(p, 31086, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(head.z, 3.0f + sim::Entities::headHeight);
    const Vector3 root = getPedBoneCoords(p, 0, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(root.x, 1.0f);
    EXPECT_EQ(root.y, 2.0f);
    EXPECT_EQ(root.z, 3.0f);
    const Vector3 raised = getPedBoneCoords(p, 0, 0.0f, 0.0f, 0.5f);
    EXPECT_FLOAT_EQ(raised.z, 3.5f);

    world().camera = Vec3{4.0f, -5.0f, 6.0f};
    const Vector3 camera = getGameplayCamCoord();
    EXPECT_EQ(camera.x, 4.0f);
    EXPECT_EQ(camera.y, -5.0f);
    EXPECT_EQ(camera.z, 6.0f);

    EXPECT_FLOAT_EQ(getDistanceBetweenCoords(0.0f, 0.0f, 0.0f, 3.0f, 4.0f, 12.0f, true), 13.0f);
    EXPECT_FLOAT_EQ(getDistanceBetweenCoords(0.0f, 0.0f, 0.0f, 3.0f, 4.0f, 12.0f, false), 5.0f);
}

TEST_F(WorldTest, EnteringAndLeavingTakeTimeAndCountAsUsingTheVehicle) {
    const Handle v = car(Vec3{0.0f, 5.0f, 0.0f});
    const Handle p = ped(Vec3{3.0f, 5.0f, 0.0f});
    taskEnterVehicle(p, v, 5000, 1, 2.0f, 1);
    EXPECT_EQ(getVehiclePedIsUsing(p), v);
    EXPECT_FALSE(isPedSittingInVehicle(p, v));
    host.runFor(sim::Entities::enterVehicleMs - 100);
    EXPECT_FALSE(isPedSittingInVehicle(p, v));
    host.runFor(200);
    EXPECT_TRUE(isPedSittingInVehicle(p, v));
    EXPECT_EQ(entity(p).seat, 1);

    taskLeaveVehicle(p, v, 4160);
    EXPECT_FALSE(isPedSittingInVehicle(p, v));
    EXPECT_EQ(getVehiclePedIsUsing(p), v);
    host.runFor(sim::Entities::leaveVehicleMs + 50);
    EXPECT_EQ(getVehiclePedIsUsing(p), 0);

    // Clearing the tasks puts a ped out at once, entering or seated.
    taskEnterVehicle(p, v, 5000, 1, 2.0f, 1);
    clearPedTasksImmediately(p);
    EXPECT_EQ(getVehiclePedIsUsing(p), 0);
    world().seatPed(p, v, 1);
    clearPedTasksImmediately(p);
    EXPECT_EQ(getVehiclePedIsUsing(p), 0);
    EXPECT_FALSE(isPedSittingInVehicle(p, v));
}

TEST_F(WorldTest, EnteringATakenSeatEndsOnFoot) {
    const Handle v = car(Vec3{0.0f, 5.0f, 0.0f});
    world().seatPed(ped(Vec3{}), v, 1);
    const Handle late = ped(Vec3{2.0f, 5.0f, 0.0f});
    taskEnterVehicle(late, v, 5000, 1, 2.0f, 1);
    host.runFor(sim::Entities::enterVehicleMs + 50);
    EXPECT_EQ(getVehiclePedIsUsing(late), 0);
}

TEST_F(WorldTest, TeleportsTakePedsOutAndCarryOccupants) {
    const Handle v = car(Vec3{0.0f, 5.0f, 0.0f});
    const Handle driver = ped(Vec3{});
    const Handle passenger = ped(Vec3{});
    world().seatPed(driver, v, -1);
    world().seatPed(passenger, v, 0);
    setEntityCoords(v, 100.0f, 200.0f, 0.0f, true, false, false, true);
    EXPECT_EQ(getEntityCoords(driver, true).x, 100.0f);
    EXPECT_TRUE(isPedSittingInVehicle(driver, v));
    setEntityCoords(passenger, 0.0f, 0.0f, 0.0f, true, false, false, true);
    EXPECT_FALSE(isPedSittingInVehicle(passenger, v));
    EXPECT_EQ(getEntityCoords(passenger, true).x, 0.0f);
}

TEST_F(WorldTest, LineOfSightCanBeBlockedPerEntity) {
    const Handle gunner = ped(Vec3{});
    const Handle target = ped(Vec3{5.0f, 0.0f, 0.0f});
    EXPECT_TRUE(hasEntityClearLosToEntity(gunner, target, 17));
    entity(target).hiddenFromGunner = true;
    EXPECT_FALSE(hasEntityClearLosToEntity(gunner, target, 17));
    EXPECT_FALSE(hasEntityClearLosToEntity(gunner, 0x7777, 17));
}

TEST_F(WorldTest, DamageIsRecordedPerAttacker) {
    const Handle victim = ped(Vec3{});
    const Handle attacker = ped(Vec3{5.0f, 0.0f, 0.0f});
    const Handle other = ped(Vec3{6.0f, 0.0f, 0.0f});
    EXPECT_FALSE(hasEntityBeenDamagedByEntity(victim, attacker, true));
    world().damage(victim, attacker, 50);
    EXPECT_TRUE(hasEntityBeenDamagedByEntity(victim, attacker, true));
    EXPECT_FALSE(hasEntityBeenDamagedByEntity(victim, other, true));
    EXPECT_EQ(getEntityHealth(victim), 150);
    world().damage(victim, attacker, 500);
    EXPECT_EQ(getEntityHealth(victim), 0);
    EXPECT_FALSE(entity(victim).alive);
    EXPECT_TRUE(doesEntityExist(victim)) << "a dead ped stays in the world";
}

TEST_F(WorldTest, TheWantedLevelIsSetThenAppliedAndNeverDropped) {
    setPlayerWantedLevelNoDrop(playerId(), 2, false);
    EXPECT_EQ(world().pendingWantedLevel, 2);
    EXPECT_FALSE(isPlayerWantedLevelGreater(playerId(), 0));
    setPlayerWantedLevelNow(playerId(), false);
    EXPECT_EQ(world().wantedLevel, 2);
    EXPECT_TRUE(isPlayerWantedLevelGreater(playerId(), 1));
    EXPECT_FALSE(isPlayerWantedLevelGreater(playerId(), 2));

    setPlayerWantedLevelNoDrop(playerId(), 1, false);
    setPlayerWantedLevelNow(playerId(), false);
    EXPECT_EQ(world().wantedLevel, 2);

    world().forceWantedLevel(0);
    EXPECT_FALSE(isPlayerWantedLevelGreater(playerId(), 0));
    setPlayerWantedLevelNoDrop(playerId(), 1, false);
    setPlayerWantedLevelNow(playerId(), false);
    EXPECT_EQ(world().wantedLevel, 1);
    EXPECT_FALSE(isPlayerWantedLevelGreater(playerId() + 1, 0));
}

TEST_F(WorldTest, VehicleShotsAreRecordedAndHitPedsNearThePoint) {
    const Handle v = car(Vec3{0.0f, 0.0f, 0.0f});
    const Handle gunner = ped(Vec3{});
    world().seatPed(gunner, v, 7);
    const Handle target = ped(Vec3{10.0f, 0.0f, 0.0f});
    const Handle neighbour = ped(Vec3{11.5f, 0.0f, 0.0f});

    taskVehicleShootAtCoord(gunner, 10.5f, 0.4f, 0.6f, 1.0f);
    ASSERT_EQ(world().shots.size(), 1u);
    EXPECT_EQ(world().shots[0].shooter, gunner);
    EXPECT_EQ(world().shots[0].hit, target);
    EXPECT_EQ(getEntityHealth(target), 200 - sim::Entities::shotDamage);
    EXPECT_TRUE(hasEntityBeenDamagedByEntity(target, gunner, true));
    EXPECT_EQ(getEntityHealth(neighbour), 200);
    EXPECT_EQ(entity(gunner).task.kind, sim::TaskKind::ShootAtCoord);

    // A new order within the round gap replaces the point but fires on the task's own cadence.
    world().tick += sim::Entities::roundGapMs;
    taskVehicleShootAtCoord(gunner, 30.0f, 0.0f, 0.0f, 1.0f);
    ASSERT_EQ(world().shots.size(), 2u);
    EXPECT_EQ(world().shots[1].hit, 0);

    // A ped on foot cannot fire a vehicle weapon.
    taskVehicleShootAtCoord(target, 0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(world().shots.size(), 2u);
}

TEST_F(WorldTest, TheNearbyQueryFillsSixtyFourBitSlotsAfterTheHeader) {
    const Handle centre = world().playerPed;
    const Handle near = ped(Vec3{2.0f, 0.0f, 0.0f});
    const Handle middle = ped(Vec3{0.0f, -5.0f, 0.0f});
    const Handle far = ped(Vec3{0.0f, 30.0f, 0.0f});
    ped(Vec3{500.0f, 0.0f, 0.0f});  // out of range
    const Handle cop = ped(Vec3{1.0f, 1.0f, 0.0f}, 6);

    std::array<std::int32_t, 16> buffer;
    buffer.fill(0x5A5A5A5A);
    buffer[0] = 7;
    const std::int32_t count = getPedNearbyPeds(centre, buffer.data(), -1);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(buffer[1], 0x5A5A5A5A);
    EXPECT_THAT(std::vector<std::int32_t>(buffer.begin() + 2, buffer.begin() + 10),
                ::testing::ElementsAre(cop, 0, near, 0, middle, 0, far, 0));
    for (std::size_t i = 10; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0x5A5A5A5A) << "word " << i;

    buffer.fill(0x5A5A5A5A);
    buffer[0] = 6;
    EXPECT_EQ(getPedNearbyPeds(centre, buffer.data(), 6), 3) << "police ignored";
    EXPECT_EQ(buffer[2], near);
}

TEST_F(WorldTest, TheNearbyQueryNeverWritesPastItsCapacity) {
    for (int i = 0; i < 10; ++i) ped(Vec3{static_cast<float>(i + 1), 0.0f, 0.0f});
    std::array<std::int32_t, 12> buffer;
    buffer.fill(-7);
    buffer[0] = 3;
    EXPECT_EQ(getPedNearbyPeds(world().playerPed, buffer.data(), -1), 3);
    for (std::size_t i = 8; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], -7) << "word " << i;

    buffer.fill(-7);
    buffer[0] = 0;
    EXPECT_EQ(getPedNearbyPeds(world().playerPed, buffer.data(), -1), 0);
    buffer[0] = -4;
    EXPECT_EQ(getPedNearbyPeds(world().playerPed, buffer.data(), -1), 0);
    for (std::size_t i = 1; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], -7);
    EXPECT_EQ(getPedNearbyPeds(world().playerPed, nullptr, -1), 0);
}

TEST_F(WorldTest, VehicleConditionsAreReported) {
    const Handle v = car(Vec3{});
    EXPECT_EQ(getVehiclePetrolTankHealth(v), 1000.0f);
    entity(v).petrolTankHealth = -20.0f;
    entity(v).inWater = true;
    entity(v).upsideDown = true;
    EXPECT_EQ(getVehiclePetrolTankHealth(v), -20.0f);
    EXPECT_TRUE(isEntityInWater(v));
    EXPECT_TRUE(isEntityUpsidedown(v));
}

TEST_F(WorldTest, PedSettingsLandOnThePed) {
    const Handle p = ped(Vec3{});
    setPedAsGroupMember(p, 9);
    setPedNeverLeavesGroup(p, true);
    setPedGroupMemberPassengerIndex(p, 6);
    setEntityMaxHealth(p, 300);
    setEntityHealth(p, 300);
    setPedArmour(p, 100);
    giveDelayedWeaponToPed(p, 0x13579BDF, 1000, false);
    setCurrentPedWeapon(p, 0xA2719263, true);
    setPedKeepTask(p, true);
    setPedCanRagdoll(p, false);
    setPedSuffersCriticalHits(p, false);
    setBlockingOfNonTemporaryEvents(p, true);
    setPedFiringPattern(p, 0x5D60E4E0);
    const sim::SimEntity& e = entity(p);
    EXPECT_EQ(e.group, 9);
    EXPECT_TRUE(e.neverLeavesGroup);
    EXPECT_EQ(e.passengerIndex, 6);
    EXPECT_EQ(e.maxHealth, 300);
    EXPECT_EQ(getEntityHealth(p), 300);
    EXPECT_EQ(e.armour, 100);
    EXPECT_EQ(e.weapon, 0x13579BDFu);
    EXPECT_EQ(e.ammo, 1000);
    EXPECT_EQ(e.currentWeapon, 0xA2719263u);
    EXPECT_TRUE(e.keepTask);
    EXPECT_FALSE(e.canRagdoll);
    EXPECT_FALSE(e.suffersCriticalHits);
    EXPECT_TRUE(e.blockingNonTemporaryEvents);
    EXPECT_EQ(e.firingPattern, 0x5D60E4E0u);

    Ped handle = p;
    setPedAsNoLongerNeeded(&handle);
    EXPECT_TRUE(e.noLongerNeeded);
    setPedAsNoLongerNeeded(nullptr);
}

TEST_F(WorldTest, MovingEntitiesFollowTheirVelocityUnlessPinned) {
    const Handle runner = ped(Vec3{});
    entity(runner).velocity = Vec3{2.0f, 0.0f, 0.0f};
    const Handle statue = ped(Vec3{});
    entity(statue).velocity = Vec3{2.0f, 0.0f, 0.0f};
    entity(statue).pinned = true;
    host.runFrames(1);  // the first frame has no elapsed time
    host.runFor(1000);
    EXPECT_NEAR(getEntityCoords(runner, true).x, 2.0f, 0.05f);
    EXPECT_EQ(getEntityCoords(statue, true).x, 0.0f);
    EXPECT_EQ(getEntityVelocity(runner).x, 2.0f);
}

TEST_F(WorldTest, StaleHandlesAreAnsweredWithZeros) {
    const Handle v = car(Vec3{5.0f, 5.0f, 5.0f});
    const Handle p = ped(Vec3{1.0f, 1.0f, 1.0f});
    world().seatPed(p, v, 0);
    world().damage(p, v, 1);
    world().remove(v);
    EXPECT_EQ(getVehiclePedIsUsing(p), 0);
    EXPECT_FALSE(isPedSittingInVehicle(p, v));
    world().remove(p);

    for (const Handle stale : {p, v, 0, -1}) {
        EXPECT_FALSE(doesEntityExist(stale));
        EXPECT_FALSE(isEntityAPed(stale));
        EXPECT_FALSE(isEntityInWater(stale));
        EXPECT_FALSE(isEntityUpsidedown(stale));
        EXPECT_EQ(getEntityHealth(stale), 0);
        EXPECT_EQ(getEntityCoords(stale, true).x, 0.0f);
        EXPECT_EQ(getEntityVelocity(stale).y, 0.0f);
        EXPECT_EQ(getOffsetFromEntityInWorldCoords(stale, 0.0f, 5.0f, 0.0f).y, 0.0f);
        EXPECT_EQ(getPedBoneCoords(stale, 31086, 0.0f, 0.0f, 0.0f).z, 0.0f);
        EXPECT_EQ(getVehiclePetrolTankHealth(stale), 0.0f);
        EXPECT_EQ(getVehiclePedIsUsing(stale), 0);
        EXPECT_FALSE(isPedSittingInVehicle(stale, stale));
        EXPECT_EQ(getPedType(stale), 0);
        EXPECT_FALSE(hasEntityBeenDamagedByEntity(stale, world().playerPed, true));
        EXPECT_FALSE(hasEntityClearLosToEntity(stale, world().playerPed, 17));
        setVehicleOnGroundProperly(stale);
        EXPECT_EQ(host.calls().back().intResult(), 0);
        std::array<std::int32_t, 8> buffer{3};
        EXPECT_EQ(getPedNearbyPeds(stale, buffer.data(), -1), 0);
        // Orders to stale handles change nothing and do not fail.
        setEntityCoords(stale, 1.0f, 1.0f, 1.0f, true, false, false, true);
        clearPedTasksImmediately(stale);
        taskEnterVehicle(stale, stale, 5000, 1, 2.0f, 1);
        taskLeaveVehicle(stale, stale, 4160);
        taskVehicleAimAtCoord(stale, 1.0f, 2.0f, 3.0f);
        taskVehicleShootAtCoord(stale, 1.0f, 2.0f, 3.0f, 1.0f);
        setPedKeepTask(stale, true);
        setEntityHealth(stale, 300);
        Ped handle = stale;
        setPedAsNoLongerNeeded(&handle);
        setVehicleAsNoLongerNeeded(&handle);
        EXPECT_EQ(createPedInsideVehicle(stale, 0, getHashKey("s_m_y_blackops_01"), 1, true, true), 0);
    }
    EXPECT_TRUE(world().shots.empty());
}

}  // namespace

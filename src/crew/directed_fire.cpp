// Player-directed fire: the pass throttle, re-boarding, the fitness test and giving the crew up,
// and in mode 0 the camera ray, the smoothed aim point and the two mouse buttons.
#include "crew/directed_fire.h"

#include "crew/shots.h"
#include "crew/spawn.h"
#include "crew/targeting.h"
#include "runtime/natives.h"
#include "runtime/platform_calls.h"
#include "runtime/state.h"
#include "runtime/ticks.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr std::int32_t enterTimeoutMs = 5000;
constexpr float enterSpeed = 2.0f;
constexpr std::int32_t enterFlag = 1;

// Re-boarding: the player sits in the crew vehicle and the gunner is out of it. One order is
// given per arming; the supervisor re-arms while it finds the gunner not using the vehicle.
void reboardGunner() {
    if (state.reentryOrdered) return;
    if (!doesEntityExist(state.playerVehicle)) return;
    if (state.playerVehicle != state.crewVehicle) return;
    state.reentryOrdered = true;
    if (!state.reentryArmed) return;

    state.reentryArmed = false;
    setPedKeepTask(state.gunnerPed, false);
    setPedKeepTask(state.gunnerPed, true);
    taskEnterVehicle(state.gunnerPed, state.crewVehicle, enterTimeoutMs, state.gunnerSeat, enterSpeed, enterFlag);
}

// Only a health of exactly 0 fails: the value is compared as unsigned, so negatives pass.
bool crewIsFit() {
    if (static_cast<std::uint32_t>(getEntityHealth(state.gunnerPed)) == 0) return false;
    if (!(getVehiclePetrolTankHealth(state.crewVehicle) > 0.0f)) return false;
    if (isEntityInWater(state.crewVehicle)) return false;
    return !isEntityUpsidedown(state.crewVehicle);
}

// The game gets the vehicle back to clean up as it likes. The native may clear the handle it is
// given, so it gets a copy; the script forgets the vehicle itself.
void releaseCrewVehicle() {
    Vehicle vehicle = state.crewVehicle;
    setVehicleAsNoLongerNeeded(&vehicle);
    state.crewVehicle = 0;
}

constexpr std::int32_t leaveFlags = 4160;

// The gunner leaves (or, nearly dead, is taken out at once); the vehicle is handed back and
// forgotten unless its tank reads exactly 0.0, in which case the next passes repeat the order.
void giveUpCrew() {
    if (static_cast<std::uint32_t>(getEntityHealth(state.gunnerPed)) <= 1) {
        clearPedTasksImmediately(state.gunnerPed);
    } else {
        taskLeaveVehicle(state.gunnerPed, state.crewVehicle, leaveFlags);
    }
    const float tank = getVehiclePetrolTankHealth(state.crewVehicle);
    if (tank < 0.0f || tank > 0.0f) releaseCrewVehicle();
}

constexpr std::int32_t headBone = 31086;
constexpr double aimAboveHead = 0.8;
constexpr float rayLength = 20.0f;

constexpr double degreesToRadians = 3.14159265358979323846 / 180.0;

// The way the camera looks, from its pitch (x) and yaw (z): yaw 0 looks along +y and a positive
// yaw turns left, towards -x.
Vector3 cameraFacing(const Vector3& rotation) {
    const double pitch = static_cast<double>(rotation.x) * degreesToRadians;
    const double yaw = static_cast<double>(rotation.z) * degreesToRadians;
    return makeVector3(static_cast<float>(-std::sin(yaw) * std::cos(pitch)),
                       static_cast<float>(std::cos(yaw) * std::cos(pitch)), static_cast<float>(std::sin(pitch)));
}

// The point 20 units beyond the gunner's head, along the line from the camera to a point 0.8
// above the head. A zero-length direction leaves the point on the head itself. When that point is
// not in front of the camera (first person: the camera sits at the driver's head, ahead of the gun
// seat), the line would run backwards, so the ray follows the camera's facing instead.
Vector3 projectCameraRay() {
    const Vector3 camera = getGameplayCamCoord();
    const Vector3 facing = cameraFacing(getGameplayCamRot(2));
    const Vector3 head = getPedBoneCoords(state.gunnerPed, headBone, 0.0f, 0.0f, 0.0f);
    const float raisedHeadZ = static_cast<float>(static_cast<double>(head.z) + aimAboveHead);

    float dx = head.x - camera.x;
    float dy = head.y - camera.y;
    float dz = raisedHeadZ - camera.z;
    if (dx * facing.x + dy * facing.y + dz * facing.z <= 0.0f) {
        dx = facing.x;
        dy = facing.y;
        dz = facing.z;
    } else {
        const float length = std::sqrt((dy * dy + dx * dx) + dz * dz);
        if (length > 0.0f) {  // a square root is never negative: this excludes only 0 and NaN
            const float inverse = 1.0f / length;
            dx *= inverse;
            dy *= inverse;
            dz *= inverse;
        }
    }
    return makeVector3(head.x + rayLength * dx, head.y + rayLength * dy, head.z + rayLength * dz);
}

constexpr double jumpDistance = 50.0;
constexpr double blendPerUnit = 0.05;

// Moves by K * 0.05 of the gap, which overshoots between 20 and 50; farther away it jumps.
float blend(float target, float base, float distance) {
    const float gap = target - base;
    return static_cast<float>(static_cast<double>(gap) * static_cast<double>(distance) * blendPerUnit +
                              static_cast<double>(base));
}

void smoothAimPoint(const Vector3& projected) {
    const Vector3 aim = state.aimPoint;
    const float distance = getDistanceBetweenCoords(aim.x, aim.y, aim.z, projected.x, projected.y, projected.z, true);
    const Vector3 base = static_cast<double>(distance) > jumpDistance ? projected : aim;
    state.aimPoint.x = blend(projected.x, base.x, distance);
    state.aimPoint.y = blend(projected.y, base.y, distance);
    state.aimPoint.z = blend(projected.z, base.z, distance);
}

constexpr Tick aimOrderPeriod = 20;

// No shot is ordered in a cutscene; there, as after the button goes up, a shot task still in
// force is replaced once by aiming.
void fireOrAim(Vector3 shot) {
    if (isKeyDown(Key::leftButton) && !isCutsceneActive()) {
        state.aimTaskTick = state.frameTick;
        if (claimShotTurn()) shootAtPoint(shot);
        return;
    }
    if (state.shotInForce) {
        state.aimTaskTick = state.frameTick;
        stopFireAt(state.aimPoint);
        return;
    }
    if (state.rightMouseHeld && throttlePassed(state.aimTaskTick, state.frameTick, aimOrderPeriod)) {
        state.aimTaskTick = state.frameTick;
        setPedKeepTask(state.gunnerPed, false);
        taskVehicleAimAtCoord(state.gunnerPed, shot.x, shot.y, shot.z);
    }
}

constexpr Hash unarmedWeapon = 0xA2719263;
constexpr float playerSpread = 0.003f;

void aimWhereCameraPoints() {
    setPedGroupMemberPassengerIndex(state.gunnerPed, passengerSetting);
    setCurrentPedWeapon(state.playerPed, unarmedWeapon, true);
    const Vector3 projected = projectCameraRay();
    state.aimSpread = playerSpread;
    smoothAimPoint(projected);
    fireOrAim(state.aimPoint);
}

constexpr Tick passPeriod = 10;

}  // namespace

void updatePlayerDirectedFire() {
    if (!throttlePassed(state.aimTick, state.frameTick, passPeriod)) return;
    state.aimTick = state.frameTick;

    if (!doesEntityExist(state.gunnerPed)) return;
    if (!isPedSittingInVehicle(state.gunnerPed, state.crewVehicle)) {
        reboardGunner();
        return;
    }
    state.reentryArmed = true;
    if (!crewIsFit()) {
        giveUpCrew();
        return;
    }
    setPedCanRagdoll(state.gunnerPed, false);
    setPedSuffersCriticalHits(state.gunnerPed, false);

    if (state.attackMode == 1 || state.attackMode == 2) {
        updateAutomaticTargeting();
        return;
    }
    if (state.attackMode != 0) return;
    aimWhereCameraPoints();
}

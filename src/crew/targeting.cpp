// Automatic targeting: the once-a-second scan of the peds near the player and the led shots at
// the chosen target in between.
#include "crew/targeting.h"

#include "crew/shots.h"
#include "runtime/natives.h"
#include "runtime/platform_calls.h"
#include "runtime/state.h"
#include "runtime/ticks.h"

#include <algorithm>
#include <cstdint>

namespace {

// The game fills the buffer in 64-bit slots: word 0 keeps the capacity, the handle of entry i is
// the low word of the slot that starts at word 2 + 2i.
Ped nearbyPedAt(std::int32_t entry) { return state.nearbyPeds[2 + 2 * entry]; }

constexpr std::int32_t losTraceFlags = 17;

bool isVisible(Ped candidate) {
    const Vehicle vehicle = getVehiclePedIsUsing(candidate);
    if (hasEntityClearLosToEntity(state.gunnerPed, candidate, losTraceFlags)) return true;
    return doesEntityExist(vehicle) && hasEntityClearLosToEntity(state.gunnerPed, vehicle, losTraceFlags);
}

constexpr std::int32_t policePedType = 6;

bool isEnemy(Ped candidate, bool playerWanted) {
    if (playerWanted && getPedType(candidate) == policePedType) return true;
    if (hasEntityBeenDamagedByEntity(state.playerPed, candidate, true)) return true;
    if (hasEntityBeenDamagedByEntity(state.gunnerPed, candidate, true)) return true;
    return hasEntityBeenDamagedByEntity(state.crewVehicle, candidate, true);
}

bool modeAccepts(Ped candidate, bool playerWanted) {
    if (state.attackMode == 2) return true;
    if (state.attackMode != 1) return false;
    return isEnemy(candidate, playerWanted);
}

// Every test in order, each native asked only once the tests before it have passed.
bool isCandidate(Ped handle, bool playerWanted) {
    if (handle == 0) return false;
    if (!doesEntityExist(handle)) return false;
    if (!isEntityAPed(handle)) return false;
    if (handle == state.playerPed || handle == state.gunnerPed) return false;
    if (!isVisible(handle)) return false;
    return modeAccepts(handle, playerWanted);
}

constexpr float farthestTarget = 1000.0f;

void scanForTarget() {
    state.scanTick = readTickCount();
    if (!isPedSittingInVehicle(state.gunnerPed, state.crewVehicle)) return;
    state.targetPed = 0;

    state.nearbyPeds[0] = nearbyPedsCapacity;
    const std::int32_t count = getPedNearbyPeds(state.playerPed, state.nearbyPeds, -1);
    const Vector3 origin =
        getOffsetFromEntityInWorldCoords(state.gunnerPed, state.scanOffset.x, state.scanOffset.y, state.scanOffset.z);
    const bool playerWanted = isPlayerWantedLevelGreater(state.playerId, 0);

    float bestDistance = farthestTarget;
    Ped bestCandidate = 0;
    const std::int32_t entries = std::min(count, nearbyPedsCapacity);
    for (std::int32_t entry = 0; entry < entries; ++entry) {
        const Ped handle = nearbyPedAt(entry);
        if (!isCandidate(handle, playerWanted)) continue;
        const Vector3 at = getEntityCoords(handle, true);
        const float distance = getDistanceBetweenCoords(at.x, at.y, at.z, origin.x, origin.y, origin.z, true);
        if (distance < bestDistance) {  // strict: on a tie the earlier entry stays
            bestDistance = distance;
            bestCandidate = handle;
        }
    }
    if (doesEntityExist(bestCandidate)) state.targetPed = bestCandidate;
    if (state.targetPed == 0) stopFireAt(state.lastShotPoint);
}

constexpr double leadSeconds = 0.1;
constexpr double followFraction = 0.25;

// A quarter of the way towards the led position, or onto it when the aim point is already near.
float leadComponent(float base, float bone, float velocity) {
    const double led = static_cast<double>(velocity) * leadSeconds + static_cast<double>(bone);
    return static_cast<float>(static_cast<double>(base) + followFraction * (led - static_cast<double>(base)));
}

constexpr std::int32_t rootBone = 0;
constexpr double nearAimDistance = 3.0;
constexpr float targetSpread = 0.007f;

// Fire is held in cutscenes; a target gone or a cutscene ends a shot task still in force.
void shootAtTarget() {
    if (!doesEntityExist(state.targetPed) || isCutsceneActive()) {
        stopFireAt(state.lastShotPoint);
        return;
    }
    if (!claimShotTurn()) return;

    const Vector3 bone = getPedBoneCoords(state.targetPed, rootBone, 0.0f, 0.0f, 0.0f);
    const Vector3 velocity = getEntityVelocity(state.targetPed);
    const Vector3 aim = state.aimPoint;
    const float distance = getDistanceBetweenCoords(aim.x, aim.y, aim.z, bone.x, bone.y, bone.z, true);
    state.aimSpread = targetSpread;

    const Vector3 base = static_cast<double>(distance) >= nearAimDistance ? aim : bone;
    state.aimPoint.x = leadComponent(base.x, bone.x, velocity.x);
    state.aimPoint.y = leadComponent(base.y, bone.y, velocity.y);
    state.aimPoint.z = leadComponent(base.z, bone.z, velocity.z);

    Vector3 shot = bone;
    shootAtPoint(shot);
}

constexpr Tick scanPeriod = 1000;

}  // namespace

void updateAutomaticTargeting() {
    if (throttlePassed(state.scanTick, state.frameTick, scanPeriod)) {
        scanForTarget();
    } else {
        shootAtTarget();
    }
}

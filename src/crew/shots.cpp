// Shot execution: positive-only scatter, the gunner's fire order and wanted-level escalation.
#include "crew/shots.h"

#include "runtime/natives.h"
#include "runtime/state.h"
#include "runtime/ticks.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr Hash singleShotFiringPattern = 0x5D60E4E0;
constexpr float fireTolerance = 1.0f;
constexpr std::int32_t highestWantedLevel = 6;
constexpr double wantedStepPerShot = 0.0017;
constexpr Tick shotGapMs = 100;

// One draw per component: the offset is 0 to 99 spread units, never negative.
float scatter(float component) {
    const int step = std::rand() % 100;
    const float offset = static_cast<float>(step) * state.aimSpread;
    return component + offset;
}

}  // namespace

void shootAtPoint(Vector3& point) {
    point.x = scatter(point.x);
    point.y = scatter(point.y);
    point.z = scatter(point.z);

    setBlockingOfNonTemporaryEvents(state.gunnerPed, true);
    setPedFiringPattern(state.gunnerPed, singleShotFiringPattern);
    setPedKeepTask(state.gunnerPed, true);
    taskVehicleShootAtCoord(state.gunnerPed, point.x, point.y, point.z, fireTolerance);
    state.shotInForce = true;
    state.lastShotPoint = point;
    raiseWantedLevel();
}

void stopFireAt(const Vector3& point) {
    if (!state.shotInForce) return;
    state.shotInForce = false;
    taskVehicleAimAtCoord(state.gunnerPed, point.x, point.y, point.z);
}

bool claimShotTurn() {
    if (!throttlePassed(state.shotTick, state.frameTick, shotGapMs)) return false;
    state.shotTick = state.frameTick;
    return true;
}

void raiseWantedLevel() {
    if (state.wantedLevel >= highestWantedLevel) return;
    // Summed in double and rounded once, so the levels fall on the same shot orders every run.
    state.wantedProgress = static_cast<float>(static_cast<double>(state.wantedProgress) + wantedStepPerShot);
    const auto level = static_cast<std::int32_t>(state.wantedProgress);
    if (level <= state.wantedLevel) return;

    state.wantedLevel = level;
    setPlayerWantedLevelNoDrop(state.playerId, state.wantedLevel, false);
    setPlayerWantedLevelNow(state.playerId, false);
}

// The crew supervisor: at most one working pass per 10 ms, the crew's three facts, re-boarding
// bookkeeping and the dispatch to the fire logic.
#include "crew/supervisor.h"

#include "crew/attack_mode.h"
#include "crew/directed_fire.h"
#include "crew/targeting.h"
#include "runtime/natives.h"
#include "runtime/platform_calls.h"
#include "runtime/state.h"
#include "runtime/ticks.h"

namespace {

constexpr Tick supervisorPeriod = 10;

void refreshPlayer() {
    state.playerId = playerId();
    state.playerPed = playerPedId();
    state.playerVehicle = getVehiclePedIsUsing(state.playerPed);
}

bool crewExists() { return doesEntityExist(state.crewVehicle) && doesEntityExist(state.gunnerPed); }

// The existence test comes first so that it is asked on every pass, crew or not.
bool playerInCrewVehicle() { return doesEntityExist(state.playerVehicle) && state.playerVehicle == state.crewVehicle; }

bool gunnerInCrewVehicle(bool crew) { return crew && getVehiclePedIsUsing(state.gunnerPed) == state.crewVehicle; }

// The other half of the re-boarding flags lives in player-directed fire: while the gunner is not
// using the crew vehicle, every pass re-arms the order and withdraws the pending one.
void keepReentryFlags(bool gunnerInVehicle) {
    if (gunnerInVehicle) return;
    if (state.reentryOrdered) {
        state.reentryOrdered = false;
        setPedCanRagdoll(state.gunnerPed, true);
    }
    state.reentryArmed = true;
}

void sampleRightButton() { state.rightMouseHeld = isKeyDown(Key::rightButton); }

void dispatch(bool playerInVehicle, bool gunnerInVehicle) {
    if (playerInVehicle) {
        cycleAttackMode();
        sampleRightButton();
        updatePlayerDirectedFire();
        return;
    }
    if (state.attackMode != 0) {
        sampleRightButton();
        updatePlayerDirectedFire();
        if (gunnerInVehicle) updateAutomaticTargeting();
        return;
    }
    if (gunnerInVehicle) updateAutomaticTargeting();
}

}  // namespace

void superviseCrew() {
    if (!throttlePassed(state.supervisorTick, state.frameTick, supervisorPeriod)) return;
    state.supervisorTick = state.frameTick;

    refreshPlayer();
    const bool crew = crewExists();
    const bool playerInVehicle = playerInCrewVehicle();
    const bool gunnerInVehicle = gunnerInCrewVehicle(crew);
    keepReentryFlags(gunnerInVehicle);
    if (!crew) return;
    dispatch(playerInVehicle, gunnerInVehicle);
}

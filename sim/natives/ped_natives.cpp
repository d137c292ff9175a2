// Natives about peds: seats, groups, weapons, settings, tasks, shots and the nearby-peds query.
#include "natives/handlers.h"

#include <algorithm>
#include <cstddef>

namespace sim {
namespace {

Entities& world(NativeContext& call) { return call.world.entities; }
SimEntity* pedArg(NativeContext& call, int n) { return world(call).findPed(call.intArg(n)); }

void createPedInsideVehicle(NativeContext& call) {
    // Arguments: vehicle, ped type, model, seat, network, script host.
    call.returnInt(world(call).createPedInVehicle(call.intArg(0), call.hashArg(2), call.intArg(3), call.intArg(1)));
}

void getVehiclePedIsUsing(NativeContext& call) { call.returnInt(world(call).vehicleUsedBy(call.intArg(0))); }

void isPedSittingInVehicle(NativeContext& call) {
    call.returnBool(world(call).isSittingIn(call.intArg(0), call.intArg(1)));
}

void getPedType(NativeContext& call) {
    const SimEntity* p = pedArg(call, 0);
    call.returnInt(p != nullptr ? p->pedType : 0);
}

void getPedBoneCoords(NativeContext& call) {
    Entities& w = world(call);
    const Handle ped = call.intArg(0);
    if (w.findPed(ped) == nullptr) {
        call.returnVector(Vec3{});
        return;
    }
    // The offset is in the ped's own frame, like any entity offset.
    const Vec3 offset{call.floatArg(2), call.floatArg(3), call.floatArg(4)};
    const Vec3 turned = w.offsetInWorld(ped, offset) - w.find(ped)->position;
    call.returnVector(w.bonePosition(ped, call.intArg(1)) + turned);
}

// The game keeps the caller's capacity in word 0 and writes each handle into the low half of a
// 64-bit slot starting at word 2; it never writes more entries than that capacity.
void getPedNearbyPeds(NativeContext& call) {
    auto* words = call.pointerArg<std::int32_t>(1);
    if (words == nullptr) {
        call.returnInt(0);
        return;
    }
    const std::int32_t capacity = words[0];
    const std::vector<Handle> found = world(call).nearbyPeds(call.intArg(0), call.intArg(2));
    const std::size_t count = capacity > 0 ? std::min(found.size(), static_cast<std::size_t>(capacity)) : 0;
    for (std::size_t i = 0; i < count; ++i) {
        words[2 + 2 * i] = found[i];
        words[3 + 2 * i] = 0;
    }
    call.returnInt(static_cast<std::int32_t>(count));
}

// Groups, weapons and per-ped settings

void setPedAsGroupMember(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->group = call.intArg(1);
}
void setPedNeverLeavesGroup(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->neverLeavesGroup = call.boolArg(1);
}
void setPedGroupMemberPassengerIndex(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->passengerIndex = call.intArg(1);
}
void setPedArmour(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->armour = call.intArg(1);
}
void setPedKeepTask(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->keepTask = call.boolArg(1);
}
void setPedCanRagdoll(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->canRagdoll = call.boolArg(1);
}
void setPedSuffersCriticalHits(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->suffersCriticalHits = call.boolArg(1);
}
void setPedFiringPattern(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->firingPattern = call.hashArg(1);
}
void setBlockingOfNonTemporaryEvents(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->blockingNonTemporaryEvents = call.boolArg(1);
}
void giveDelayedWeaponToPed(NativeContext& call) {
    SimEntity* p = pedArg(call, 0);
    if (p == nullptr) return;
    p->weapon = call.hashArg(1);
    p->ammo = call.intArg(2);
}
void setCurrentPedWeapon(NativeContext& call) {
    if (SimEntity* p = pedArg(call, 0)) p->currentWeapon = call.hashArg(1);
}

// Tasks

void clearPedTasksImmediately(NativeContext& call) { world(call).clearTasks(call.intArg(0)); }

void taskEnterVehicle(NativeContext& call) {
    world(call).orderEnterVehicle(call.intArg(0), call.intArg(1), call.intArg(3));
}

void taskLeaveVehicle(NativeContext& call) { world(call).orderLeaveVehicle(call.intArg(0), call.intArg(1)); }

// Vehicle weapon tasks only take for a ped sitting in a vehicle.
SimEntity* seatedPed(NativeContext& call) {
    SimEntity* p = pedArg(call, 0);
    return p != nullptr && p->sitting && world(call).findVehicle(p->vehicle) != nullptr ? p : nullptr;
}

void taskVehicleAimAtCoord(NativeContext& call) {
    SimEntity* p = seatedPed(call);
    if (p == nullptr) return;
    const Vec3 point{call.floatArg(1), call.floatArg(2), call.floatArg(3)};
    p->task = Task{TaskKind::AimAtCoord, p->vehicle, p->seat, 0, point};
}

void taskVehicleShootAtCoord(NativeContext& call) {
    SimEntity* p = seatedPed(call);
    if (p == nullptr) return;
    const Vec3 point{call.floatArg(1), call.floatArg(2), call.floatArg(3)};
    world(call).orderShootAt(*p, point);
}

}  // namespace

void registerPedHandlers(SimHost& host) {
    host.setHandler(NativeId::CreatePedInsideVehicle, createPedInsideVehicle);
    host.setHandler(NativeId::GetVehiclePedIsUsing, getVehiclePedIsUsing);
    host.setHandler(NativeId::IsPedSittingInVehicle, isPedSittingInVehicle);
    host.setHandler(NativeId::GetPedType, getPedType);
    host.setHandler(NativeId::GetPedBoneCoords, getPedBoneCoords);
    host.setHandler(NativeId::GetPedNearbyPeds, getPedNearbyPeds);

    host.setHandler(NativeId::SetPedAsGroupMember, setPedAsGroupMember);
    host.setHandler(NativeId::SetPedNeverLeavesGroup, setPedNeverLeavesGroup);
    host.setHandler(NativeId::SetPedGroupMemberPassengerIndex, setPedGroupMemberPassengerIndex);
    host.setHandler(NativeId::SetPedArmour, setPedArmour);
    host.setHandler(NativeId::SetPedKeepTask, setPedKeepTask);
    host.setHandler(NativeId::SetPedCanRagdoll, setPedCanRagdoll);
    host.setHandler(NativeId::SetPedSuffersCriticalHits, setPedSuffersCriticalHits);
    host.setHandler(NativeId::SetPedFiringPattern, setPedFiringPattern);
    host.setHandler(NativeId::SetBlockingOfNonTemporaryEvents, setBlockingOfNonTemporaryEvents);
    host.setHandler(NativeId::GiveDelayedWeaponToPed, giveDelayedWeaponToPed);
    host.setHandler(NativeId::SetCurrentPedWeapon, setCurrentPedWeapon);

    host.setHandler(NativeId::ClearPedTasksImmediately, clearPedTasksImmediately);
    host.setHandler(NativeId::TaskEnterVehicle, taskEnterVehicle);
    host.setHandler(NativeId::TaskLeaveVehicle, taskLeaveVehicle);
    host.setHandler(NativeId::TaskVehicleAimAtCoord, taskVehicleAimAtCoord);
    host.setHandler(NativeId::TaskVehicleShootAtCoord, taskVehicleShootAtCoord);
}

}  // namespace sim

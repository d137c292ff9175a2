// What the tracker's files share: the natives whose calls it reads, and the narration's numbers.
#pragma once

#include "host/native_table.h"
#include "scenario/narration/narration_text.h"

namespace scenario {

struct Natives {
    int playerId = sim::nativeIndex(sim::NativeId::PlayerId);
    int playerPedId = sim::nativeIndex(sim::NativeId::PlayerPedId);
    int vehicleUsing = sim::nativeIndex(sim::NativeId::GetVehiclePedIsUsing);
    int exists = sim::nativeIndex(sim::NativeId::DoesEntityExist);
    int hashKey = sim::nativeIndex(sim::NativeId::GetHashKey);
    int modelLoaded = sim::nativeIndex(sim::NativeId::HasModelLoaded);
    int createVehicle = sim::nativeIndex(sim::NativeId::CreateVehicle);
    int createPed = sim::nativeIndex(sim::NativeId::CreatePedInsideVehicle);
    int pedNoLongerNeeded = sim::nativeIndex(sim::NativeId::SetPedAsNoLongerNeeded);
    int vehicleNoLongerNeeded = sim::nativeIndex(sim::NativeId::SetVehicleAsNoLongerNeeded);
    int health = sim::nativeIndex(sim::NativeId::GetEntityHealth);
    int tankHealth = sim::nativeIndex(sim::NativeId::GetVehiclePetrolTankHealth);
    int inWater = sim::nativeIndex(sim::NativeId::IsEntityInWater);
    int upsideDown = sim::nativeIndex(sim::NativeId::IsEntityUpsidedown);
    int leaveVehicle = sim::nativeIndex(sim::NativeId::TaskLeaveVehicle);
    int clearTasks = sim::nativeIndex(sim::NativeId::ClearPedTasksImmediately);
    int enterVehicle = sim::nativeIndex(sim::NativeId::TaskEnterVehicle);
    int boneCoords = sim::nativeIndex(sim::NativeId::GetPedBoneCoords);
    int shoot = sim::nativeIndex(sim::NativeId::TaskVehicleShootAtCoord);
    int wanted = sim::nativeIndex(sim::NativeId::SetPlayerWantedLevel);
    int addText = sim::nativeIndex(sim::NativeId::AddTextComponentSubstringPlayerName);
    int armour = sim::nativeIndex(sim::NativeId::SetPedArmour);
    int giveWeapon = sim::nativeIndex(sim::NativeId::GiveDelayedWeaponToPed);
    int groupMember = sim::nativeIndex(sim::NativeId::SetPedAsGroupMember);
};

inline const Natives& natives() {
    static const Natives found;
    return found;
}

}  // namespace scenario

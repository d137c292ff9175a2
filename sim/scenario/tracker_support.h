// What the tracker's files share: the natives whose calls it reads and how it writes numbers.
#pragma once

#include "host/native_table.h"
#include "world/world.h"

#include <cstdint>
#include <cstdio>
#include <string>

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
};

inline const Natives& natives() {
    static const Natives found;
    return found;
}

inline std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

inline std::string point(sim::Vec3 p) { return format("(%.1f, %.1f, %.1f)", p.x, p.y, p.z); }

inline std::string seconds(std::uint64_t ms) { return format("%.1f s", static_cast<double>(ms) / 1000.0); }

}  // namespace scenario

// How the game's lasting tasks, its gameplay camera and its vehicle boxes behave in the world.
#include <cmath>
#include <numbers>
#include <vector>

#include "world/entities.h"
#include "world/game_vehicles.h"

namespace sim {
namespace {

constexpr double degrees = 180.0 / std::numbers::pi;

bool stillShooting(const SimEntity& ped, const Entities& world) {
    return ped.task.kind == TaskKind::ShootAtCoord && !ped.isDown() && ped.sitting && ped.vehicle == ped.task.vehicle &&
           world.findVehicle(ped.vehicle) != nullptr;
}

}  // namespace

void Entities::orderShootAt(SimEntity& ped, Vec3 point) {
    ped.task = Task{TaskKind::ShootAtCoord, ped.vehicle, ped.seat, 0, point};
    if (!ped.hasFiredRound || tick - ped.lastRoundTick >= roundGapMs) recordShot(ped.handle, point, true);
}

void Entities::fireLastingTasks() {
    std::vector<Handle> due;
    for (auto& [handle, entity] : entities) {
        if (entity.kind != EntityKind::Ped || entity.task.kind != TaskKind::ShootAtCoord) continue;
        if (!stillShooting(entity, *this)) {
            entity.task = Task{};
            continue;
        }
        if (tick - entity.lastRoundTick >= roundGapMs) due.push_back(handle);
    }
    // Rounds may down peds, so they are fired once the walk over the map is done.
    for (const Handle handle : due) {
        const SimEntity* ped = find(handle);
        if (ped != nullptr) recordShot(handle, ped->task.point, false);
    }
}

Vec3 Entities::cameraPosition() const {
    if (cameraView == CameraView::ThirdPerson) return camera;
    const SimEntity* player = find(playerPed);
    if (player == nullptr) return camera;
    if (player->sitting && findVehicle(player->vehicle) != nullptr) return offsetInWorld(player->vehicle, driverHead);
    return player->position + Vec3{0.0f, 0.0f, headHeight};
}

Vec3 Entities::cameraRotation() const {
    if (cameraView == CameraView::FirstPerson) return Vec3{firstPersonPitch, 0.0f, firstPersonYaw};
    const SimEntity* player = find(playerPed);
    const Vec3 look = (player != nullptr ? player->position : Vec3{}) - camera;
    if (look.x == 0.0f && look.y == 0.0f && look.z == 0.0f) return Vec3{};
    const double pitch = std::atan2(static_cast<double>(look.z), std::hypot(look.x, look.y)) * degrees;
    // Yaw 0 looks along +y; a positive yaw turns towards -x.
    const double yaw = std::atan2(-static_cast<double>(look.x), static_cast<double>(look.y)) * degrees;
    return Vec3{static_cast<float>(pitch), 0.0f, static_cast<float>(yaw)};
}

Vec3 Entities::cameraFacing() const {
    const Vec3 rotation = cameraRotation();
    const double pitch = static_cast<double>(rotation.x) / degrees;
    const double yaw = static_cast<double>(rotation.z) / degrees;
    return Vec3{static_cast<float>(-std::sin(yaw) * std::cos(pitch)),
                static_cast<float>(std::cos(yaw) * std::cos(pitch)), static_cast<float>(std::sin(pitch))};
}

bool Entities::boxHolds(const SimEntity& vehicle, Vec3 point) const {
    const GameVehicle* model = findGameVehicle(vehicle.model);
    if (model == nullptr) return false;
    // Into the vehicle's own frame: the inverse of offsetInWorld's turn.
    const double radians = static_cast<double>(vehicle.heading) / degrees;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double dx = static_cast<double>(point.x) - static_cast<double>(vehicle.position.x);
    const double dy = static_cast<double>(point.y) - static_cast<double>(vehicle.position.y);
    const double x = dx * c + dy * s;
    const double y = -dx * s + dy * c;
    const double z = static_cast<double>(point.z) - static_cast<double>(vehicle.position.z);
    const auto within = [](double value, float low, float high) { return value > low && value < high; };
    return within(x, model->minimum.x, model->maximum.x) && within(y, model->minimum.y, model->maximum.y) &&
           within(z, model->minimum.z, model->maximum.z);
}

}  // namespace sim

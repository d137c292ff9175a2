// The simulated game world's bookkeeping: models, entities, seats and geometry.
#include "world/entities.h"

#include <cctype>
#include <cmath>
#include <numbers>

namespace sim {

ModelHash hashName(std::string_view name) {
    std::uint32_t hash = 0;
    for (const char c : name) {
        hash += static_cast<std::uint8_t>(std::tolower(static_cast<unsigned char>(c)));
        hash += hash << 10;
        hash ^= hash >> 6;
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}

Entities::Entities() {
    playerPed = addPed(hashName("player_zero"), Vec3{0.0f, 0.0f, 0.0f}, 0.0f);
}

Model& Entities::addModel(std::string_view name, bool isVehicle, std::int32_t framesToLoad, bool inImage) {
    Model model;
    model.name = std::string(name);
    model.hash = hashName(name);
    model.isVehicle = isVehicle;
    model.framesToLoad = framesToLoad;
    model.inImage = inImage;
    return models[model.hash] = model;
}

Handle Entities::addPed(ModelHash model, Vec3 position, float heading) {
    SimEntity ped;
    ped.handle = nextHandle++;
    ped.kind = EntityKind::Ped;
    ped.model = model;
    ped.position = position;
    ped.heading = heading;
    entities[ped.handle] = ped;
    return ped.handle;
}

Handle Entities::addVehicle(ModelHash model, Vec3 position, float heading) {
    SimEntity vehicle;
    vehicle.handle = nextHandle++;
    vehicle.kind = EntityKind::Vehicle;
    vehicle.model = model;
    vehicle.position = position;
    vehicle.heading = heading;
    vehicle.health = 1000;
    vehicle.maxHealth = 1000;
    entities[vehicle.handle] = vehicle;
    return vehicle.handle;
}

SimEntity* Entities::find(Handle handle) {
    const auto found = entities.find(handle);
    return found == entities.end() ? nullptr : &found->second;
}

const SimEntity* Entities::find(Handle handle) const {
    const auto found = entities.find(handle);
    return found == entities.end() ? nullptr : &found->second;
}

void Entities::remove(Handle handle) {
    for (auto& [other, entity] : entities) {
        if (entity.vehicle == handle) {
            entity.vehicle = 0;
            entity.seat = -1;
            entity.sitting = false;
        }
    }
    entities.erase(handle);
}

SimEntity& Entities::player() { return entities.at(playerPed); }

void Entities::seatPed(Handle ped, Handle vehicle, std::int32_t seat) {
    SimEntity* p = find(ped);
    if (p == nullptr) return;
    p->vehicle = vehicle;
    p->seat = seat;
    p->sitting = true;
    p->task = Task{};
    if (const SimEntity* v = find(vehicle)) p->position = v->position;
}

void Entities::unseatPed(Handle ped) {
    SimEntity* p = find(ped);
    if (p == nullptr) return;
    if (const SimEntity* v = find(p->vehicle)) p->position = offsetInWorld(v->handle, Vec3{-2.0f, 0.0f, 0.0f});
    p->vehicle = 0;
    p->seat = -1;
    p->sitting = false;
}

Handle Entities::occupant(Handle vehicle, std::int32_t seat) const {
    for (const auto& [handle, entity] : entities) {
        if (entity.kind == EntityKind::Ped && entity.vehicle == vehicle && entity.seat == seat && entity.sitting) {
            return handle;
        }
    }
    return 0;
}

Vec3 Entities::offsetInWorld(Handle entity, Vec3 offset) const {
    const SimEntity* e = find(entity);
    if (e == nullptr) return offset;
    // Heading in degrees, counter-clockwise from +y, as the game measures it.
    const double radians = static_cast<double>(e->heading) * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double x = static_cast<double>(offset.x) * c - static_cast<double>(offset.y) * s;
    const double y = static_cast<double>(offset.x) * s + static_cast<double>(offset.y) * c;
    return Vec3{e->position.x + static_cast<float>(x), e->position.y + static_cast<float>(y),
                e->position.z + offset.z};
}

Vec3 Entities::bonePosition(Handle ped, std::int32_t bone) const {
    const SimEntity* p = find(ped);
    if (p == nullptr) return Vec3{};
    constexpr std::int32_t headBone = 31086;
    return p->position + Vec3{0.0f, 0.0f, bone == headBone ? 0.7f : 0.0f};
}

void Entities::recordShot(Handle shooter, Vec3 point) {
    ShotRecord shot{frame, tick, shooter, point, 0};
    shots.push_back(shot);
}

void Entities::damage(Handle victim, Handle attacker, std::int32_t amount) {
    SimEntity* v = find(victim);
    if (v == nullptr) return;
    v->health -= amount;
    if (v->health <= 0) {
        v->health = 0;
        v->alive = false;
    }
    v->damagedBy.insert(attacker);
}

void Entities::advance(std::uint32_t /*elapsedMs*/) {}

}  // namespace sim

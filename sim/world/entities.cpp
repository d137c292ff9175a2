// The simulated game world's bookkeeping: models, entities, seats, tasks, geometry and time.
#include "world/entities.h"

#include <cctype>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "world/game_models.h"

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
    findModel("technical")->framesToLoad = 3;
    findModel("insurgent")->framesToLoad = 3;
    findModel("valkyrie")->framesToLoad = 4;
    findModel("s_m_y_blackops_01")->framesToLoad = 2;
    playerPed = addPed(hashName("player_zero"), Vec3{0.0f, 0.0f, 0.0f}, 0.0f);
    player().pedType = 0;
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

Model* Entities::findModel(ModelHash hash) {
    const auto found = models.find(hash);
    if (found != models.end()) return &found->second;
    const GameModel* game = findGameModel(hash);
    if (game == nullptr) return nullptr;
    return &addModel(game->name, game->kind == ModelKind::Vehicle, gameModelFrames);
}

SimEntity& Entities::addEntity(EntityKind kind, ModelHash model, Vec3 position, float heading) {
    const Handle handle = nextHandle++;
    SimEntity& entity = entities[handle];
    entity.handle = handle;
    entity.kind = kind;
    entity.model = model;
    entity.position = position;
    entity.heading = heading;
    return entity;
}

Handle Entities::addPed(ModelHash model, Vec3 position, float heading) {
    return addEntity(EntityKind::Ped, model, position, heading).handle;
}

Handle Entities::addVehicle(ModelHash model, Vec3 position, float heading) {
    SimEntity& vehicle = addEntity(EntityKind::Vehicle, model, position, heading);
    vehicle.health = 1000;
    vehicle.maxHealth = 1000;
    return vehicle.handle;
}

const SimEntity* Entities::find(Handle handle) const {
    const auto found = entities.find(handle);
    return found == entities.end() ? nullptr : &found->second;
}

const SimEntity* Entities::findOfKind(Handle handle, EntityKind kind) const {
    const SimEntity* e = find(handle);
    return e != nullptr && e->kind == kind ? e : nullptr;
}

// The mutable lookups share the const ones: the map itself is this object's own.
SimEntity* Entities::find(Handle handle) { return const_cast<SimEntity*>(std::as_const(*this).find(handle)); }
SimEntity* Entities::findPed(Handle handle) { return const_cast<SimEntity*>(std::as_const(*this).findPed(handle)); }
SimEntity* Entities::findVehicle(Handle handle) {
    return const_cast<SimEntity*>(std::as_const(*this).findVehicle(handle));
}

void Entities::remove(Handle handle) {
    for (auto& [other, entity] : entities) {
        if (entity.vehicle == handle) {
            entity.vehicle = 0;
            entity.seat = -1;
            entity.sitting = false;
        }
        if (entity.task.vehicle == handle) entity.task = Task{};
    }
    entities.erase(handle);
    ++lifeChanges;
}

SimEntity& Entities::player() { return entities.at(playerPed); }

Handle Entities::createVehicle(ModelHash model, Vec3 position, float heading) {
    const Model* m = findModel(model);
    if (m == nullptr || !m->loaded || !m->isVehicle || m->refuseCreation) return 0;
    SimEntity& vehicle = *find(addVehicle(model, position, heading));
    vehicle.scriptCreated = true;
    vehicle.createdOnPlayer = boxHolds(vehicle, player().position);
    vehiclesCreatedOnPlayer += vehicle.createdOnPlayer ? 1 : 0;
    return vehicle.handle;
}

Handle Entities::createPedInVehicle(Handle vehicle, ModelHash model, std::int32_t seat, std::int32_t pedType) {
    const Model* m = findModel(model);
    if (m == nullptr || !m->loaded || m->isVehicle || m->refuseCreation) return 0;
    const SimEntity* v = findVehicle(vehicle);
    if (v == nullptr || occupant(vehicle, seat) != 0) return 0;
    const Handle handle = addPed(model, v->position, v->heading);
    SimEntity& ped = *find(handle);
    ped.pedType = pedType;
    ped.scriptCreated = true;
    seatPed(handle, vehicle, seat);
    return handle;
}

void Entities::seatPed(Handle ped, Handle vehicle, std::int32_t seat) {
    SimEntity* p = find(ped);
    if (p == nullptr) return;
    p->vehicle = vehicle;
    p->seat = seat;
    p->sitting = true;
    p->task = Task{};
    if (const SimEntity* v = find(vehicle)) {
        p->position = v->position;
        p->heading = v->heading;
    }
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

Handle Entities::vehicleUsedBy(Handle ped) const {
    const SimEntity* p = findPed(ped);
    if (p == nullptr || findVehicle(p->vehicle) == nullptr) return 0;
    return p->vehicle;
}

bool Entities::isSittingIn(Handle ped, Handle vehicle) const {
    const SimEntity* p = findPed(ped);
    return p != nullptr && findVehicle(vehicle) != nullptr && p->vehicle == vehicle && p->sitting;
}

void Entities::orderEnterVehicle(Handle ped, Handle vehicle, std::int32_t seat) {
    SimEntity* p = findPed(ped);
    if (p == nullptr || !p->alive || findVehicle(vehicle) == nullptr) return;
    if (p->sitting && p->vehicle == vehicle) return;
    if (p->vehicle != 0 && p->vehicle != vehicle) unseatPed(ped);
    p->vehicle = vehicle;
    p->seat = seat;
    p->sitting = false;
    p->task = Task{TaskKind::EnterVehicle, vehicle, seat, enterVehicleMs, Vec3{}};
}

void Entities::orderLeaveVehicle(Handle ped, Handle vehicle) {
    SimEntity* p = findPed(ped);
    if (p == nullptr || !p->sitting || p->vehicle != vehicle) return;
    p->sitting = false;
    p->task = Task{TaskKind::LeaveVehicle, vehicle, p->seat, leaveVehicleMs, Vec3{}};
}

void Entities::clearTasks(Handle ped) {
    SimEntity* p = findPed(ped);
    if (p == nullptr) return;
    p->task = Task{};
    if (p->vehicle != 0) unseatPed(ped);
}

void Entities::setPosition(Handle entity, Vec3 position) {
    SimEntity* e = find(entity);
    if (e == nullptr) return;
    if (e->kind == EntityKind::Ped && e->vehicle != 0) {
        e->vehicle = 0;
        e->seat = -1;
        e->sitting = false;
        e->task = Task{};
    }
    e->position = position;
    if (e->kind == EntityKind::Vehicle) carryOccupants(*e);
}

void Entities::carryOccupants(const SimEntity& vehicle) {
    for (auto& [handle, entity] : entities) {
        if (entity.kind != EntityKind::Ped || entity.vehicle != vehicle.handle) continue;
        entity.position = vehicle.position;
        entity.heading = vehicle.heading;
    }
}

Vec3 Entities::offsetInWorld(Handle entity, Vec3 offset) const {
    const SimEntity* e = find(entity);
    if (e == nullptr) return Vec3{};
    // Heading in degrees, counter-clockwise from +y, as the game measures it.
    const double radians = static_cast<double>(e->heading) * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double x = static_cast<double>(offset.x) * c - static_cast<double>(offset.y) * s;
    const double y = static_cast<double>(offset.x) * s + static_cast<double>(offset.y) * c;
    return Vec3{e->position.x + static_cast<float>(x), e->position.y + static_cast<float>(y), e->position.z + offset.z};
}

// The root bone sits at the ped's position, the head above it; other bones stand in at the root.
Vec3 Entities::bonePosition(Handle ped, std::int32_t bone) const {
    const SimEntity* p = findPed(ped);
    if (p == nullptr) return Vec3{};
    return p->position + Vec3{0.0f, 0.0f, bone == headBone ? headHeight : 0.0f};
}

void Entities::forceWantedLevel(std::int32_t level) {
    wantedLevel = level;
    pendingWantedLevel = 0;
}

void Entities::advance(std::uint32_t elapsedMs) {
    streamModels();
    runTasks(static_cast<std::int32_t>(elapsedMs));
    moveEntities(elapsedMs);
}

void Entities::runTasks(std::int32_t elapsedMs) {
    std::vector<Handle> finished;
    for (auto& [handle, entity] : entities) {
        const TaskKind kind = entity.task.kind;
        if (kind != TaskKind::EnterVehicle && kind != TaskKind::LeaveVehicle) continue;
        entity.task.msLeft -= elapsedMs;
        if (entity.task.msLeft <= 0) finished.push_back(handle);
    }
    for (const Handle handle : finished) finishTask(*find(handle));
}

// Entering ends in the seat when it is still free; leaving ends beside the vehicle.
void Entities::finishTask(SimEntity& ped) {
    const Task task = ped.task;
    ped.task = Task{};
    if (task.kind == TaskKind::EnterVehicle) {
        if (findVehicle(task.vehicle) != nullptr && occupant(task.vehicle, task.seat) == 0) {
            seatPed(ped.handle, task.vehicle, task.seat);
        } else {
            ped.vehicle = 0;
            ped.seat = -1;
        }
        return;
    }
    unseatPed(ped.handle);
}

void Entities::moveEntities(std::uint32_t elapsedMs) {
    const float seconds = static_cast<float>(elapsedMs) / 1000.0f;
    std::vector<Handle> movedVehicles;
    for (auto& [handle, entity] : entities) {
        if (entity.pinned || !entity.alive || entity.vehicle != 0) continue;
        if (entity.velocity.x == 0.0f && entity.velocity.y == 0.0f && entity.velocity.z == 0.0f) continue;
        entity.position = entity.position + entity.velocity * seconds;
        if (entity.kind == EntityKind::Vehicle) movedVehicles.push_back(handle);
    }
    for (const Handle handle : movedVehicles) carryOccupants(*find(handle));
}

}  // namespace sim

// The simulated world's combat and senses: shots, damage, line of sight and the nearby-peds query.
#include <algorithm>
#include <cmath>
#include <limits>

#include "world/entities.h"

namespace sim {

void Entities::recordShot(Handle shooter, Vec3 point, bool ordered) {
    const SimEntity* gunner = find(shooter);
    const Handle shooterVehicle = gunner != nullptr ? gunner->vehicle : 0;
    Handle hit = 0;
    float nearest = 0.0f;
    for (const auto& [handle, entity] : entities) {
        if (entity.kind != EntityKind::Ped || !entity.alive || handle == shooter) continue;
        if (shooterVehicle != 0 && entity.vehicle == shooterVehicle) continue;
        const float across = std::hypot(entity.position.x - point.x, entity.position.y - point.y);
        if (across > shotRadius || std::fabs(point.z - entity.position.z) > shotHeight) continue;
        if (hit == 0 || across < nearest) {
            hit = handle;
            nearest = across;
        }
    }
    const Vec3 look = point - cameraPosition();
    const Vec3 facing = cameraFacing();
    const bool behind = look.x * facing.x + look.y * facing.y + look.z * facing.z < 0.0f;
    shots.push_back(ShotRecord{frame, tick, shooter, point, hit, ordered, behind});
    if (SimEntity* gunnerEntity = find(shooter)) {
        gunnerEntity->hasFiredRound = true;
        gunnerEntity->lastRoundTick = tick;
    }
    if (hit != 0) damage(hit, shooter, shotDamage);
}

void Entities::damage(Handle victim, Handle attacker, std::int32_t amount) {
    SimEntity* v = find(victim);
    if (v == nullptr) return;
    // In 64 bits: a scenario may set any 32-bit health, and the lowest minus a hit would overflow.
    const std::int64_t left = std::int64_t{v->health} - amount;
    v->health = static_cast<std::int32_t>(std::clamp<std::int64_t>(left, 0, std::numeric_limits<std::int32_t>::max()));
    if (v->health <= 0) {
        v->health = 0;
        if (v->kind == EntityKind::Ped) v->alive = false;
    }
    v->damagedBy.insert(attacker);
    ++lifeChanges;
}

void Entities::setHealth(SimEntity& entity, std::int32_t health) {
    entity.health = health;
    if (entity.kind == EntityKind::Ped) entity.alive = health > 0;
    ++lifeChanges;
}

bool Entities::hasClearLineOfSight(Handle from, Handle to) const {
    const SimEntity* target = find(to);
    if (find(from) == nullptr || target == nullptr) return false;
    return from == to || !target->hiddenFromGunner;
}

std::vector<Handle> Entities::nearbyPeds(Handle ped, std::int32_t ignoredType) const {
    const SimEntity* centre = findPed(ped);
    if (centre == nullptr) return {};
    struct Found {
        float distance;
        Handle handle;
    };
    std::vector<Found> found;
    for (const auto& [handle, entity] : entities) {
        if (entity.kind != EntityKind::Ped || handle == ped) continue;
        if (ignoredType != -1 && entity.pedType == ignoredType) continue;
        const float d = distance(entity.position, centre->position);
        if (d <= nearbyRadius) found.push_back(Found{d, handle});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.distance != b.distance ? a.distance < b.distance : a.handle < b.handle;
    });
    std::vector<Handle> handles;
    handles.reserve(found.size());
    for (const Found& f : found) handles.push_back(f.handle);
    return handles;
}

}  // namespace sim

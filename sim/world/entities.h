// The simulated game world: the player, peds, vehicles, models, tasks, damage, shots and wanted level.
#pragma once

#include "world/vec3.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

using Handle = std::int32_t;
using ModelHash = std::uint32_t;

// The game's Jenkins one-at-a-time hash of the lower-cased name.
ModelHash hashName(std::string_view name);

struct Model {
    std::string name;
    ModelHash hash = 0;
    bool inImage = true;
    bool isVehicle = false;
    std::int32_t framesToLoad = 0;  // frames after the request; negative: never loads
    bool requested = false;
    bool loaded = false;
    std::int32_t framesLeft = 0;
    bool refuseCreation = false;  // the game hands back no entity of this model (pools full)
    std::int32_t requestCount = 0;
    std::int32_t releaseCount = 0;
};

enum class EntityKind : std::uint8_t { Ped, Vehicle };

enum class TaskKind : std::uint8_t { None, EnterVehicle, LeaveVehicle, AimAtCoord, ShootAtCoord };

struct Task {
    TaskKind kind = TaskKind::None;
    Handle vehicle = 0;
    std::int32_t seat = -1;
    std::int32_t msLeft = 0;  // enter/leave tasks finish when this runs out
    Vec3 point;
};

struct SimEntity {
    Handle handle = 0;
    EntityKind kind = EntityKind::Ped;
    ModelHash model = 0;
    Vec3 position;
    float heading = 0.0f;  // degrees; local +y points along the heading
    Vec3 velocity;
    bool pinned = false;  // keeps its place whatever its velocity says (a fixed test target)
    std::int32_t health = 200;
    std::int32_t maxHealth = 200;
    std::int32_t armour = 0;
    bool alive = true;
    bool scriptCreated = false;

    // Peds
    std::int32_t pedType = 4;
    ModelHash weapon = 0;
    std::int32_t ammo = 0;
    ModelHash currentWeapon = 0;
    Handle vehicle = 0;      // the vehicle it is using (sitting in, entering or leaving)
    std::int32_t seat = -1;  // its seat there
    bool sitting = false;    // sitting in `vehicle`, not entering or leaving
    Task task;
    bool hasFiredRound = false;
    std::uint32_t lastRoundTick = 0;  // tick of its last round, for the shoot task's cadence
    bool hiddenFromGunner = false;    // line of sight to it is blocked, from the gunner or anyone
    std::int32_t group = -1;
    bool neverLeavesGroup = false;
    std::int32_t passengerIndex = -1;
    bool canRagdoll = true;
    bool suffersCriticalHits = true;
    bool keepTask = false;
    bool blockingNonTemporaryEvents = false;
    std::uint32_t firingPattern = 0;

    // Vehicles
    float petrolTankHealth = 1000.0f;
    bool inWater = false;
    bool upsideDown = false;
    float pitch = 0.0f;            // degrees nose up: a helicopter the player flies follows his pitch keys
    bool createdOnPlayer = false;  // created with the player's position inside its box

    bool noLongerNeeded = false;
    std::set<Handle> damagedBy;  // entities that have damaged this one

    // Dead, or alive with no health left: either way out of the fight.
    bool isDown() const { return !alive || health <= 0; }
};

struct ShotRecord {
    std::uint64_t frame = 0;
    std::uint32_t tick = 0;
    Handle shooter = 0;
    Vec3 point;
    Handle hit = 0;             // the ped downed or hurt by it, 0 when none was near
    bool ordered = true;        // fired by a shot order itself; false: by a shoot task that lasted on
    bool behindCamera = false;  // at a point behind the way the camera looks
};

enum class CameraView : std::uint8_t { ThirdPerson, FirstPerson };

struct Entities {
    Handle playerIndex = 0;
    Handle playerPed = 0;
    std::int32_t playerGroup = 1;
    Vec3 camera;  // where the third-person camera stands
    CameraView cameraView = CameraView::ThirdPerson;
    float firstPersonYaw = 0.0f;  // degrees, the game's heading convention
    float firstPersonPitch = 0.0f;
    std::int64_t vehiclesCreatedOnPlayer = 0;
    float groundZ = 0.0f;
    std::int32_t wantedLevel = 0;         // the level in force
    std::int32_t pendingWantedLevel = 0;  // set, not yet applied by the _NOW native

    std::map<ModelHash, Model> models;
    std::map<Handle, SimEntity> entities;
    std::vector<ShotRecord> shots;
    // Counts changes of any entity's health, life or existence, so an observer that polls can
    // tell when there is nothing new to look at.
    std::uint64_t lifeChanges = 0;
    Handle nextHandle = 0x1000;
    std::uint64_t frame = 0;
    std::uint32_t tick = 0;

    // The player's ped. The crew's models take a few frames to stream in, so load loops really wait.
    Entities();

    // An add-on model, as a player installs one beside the game's own.
    Model& addModel(std::string_view name, bool isVehicle, std::int32_t framesToLoad = 0, bool inImage = true);
    // A model of the game (from the bundled table) or an add-on; null when the game has none.
    // A game model gets its record here on first use, loading in `gameModelFrames` frames.
    Model* findModel(ModelHash hash);
    Model* findModel(std::string_view name) { return findModel(hashName(name)); }
    // A new entity under the next handle, placed; the callers fill in what their kind adds.
    SimEntity& addEntity(EntityKind kind, ModelHash model, Vec3 position, float heading);
    Handle addPed(ModelHash model, Vec3 position, float heading = 0.0f);
    Handle addVehicle(ModelHash model, Vec3 position, float heading = 0.0f);
    SimEntity* find(Handle handle);
    const SimEntity* find(Handle handle) const;
    bool exists(Handle handle) const { return find(handle) != nullptr; }
    SimEntity* findPed(Handle handle);
    const SimEntity* findPed(Handle handle) const { return findOfKind(handle, EntityKind::Ped); }
    SimEntity* findVehicle(Handle handle);
    const SimEntity* findVehicle(Handle handle) const { return findOfKind(handle, EntityKind::Vehicle); }
    const SimEntity* findOfKind(Handle handle, EntityKind kind) const;
    // Takes the entity out of the world at once; every handle to it goes stale.
    void remove(Handle handle);
    SimEntity& player();

    // Streaming: a request starts the load, which finishes `framesToLoad` frames later.
    void requestModel(ModelHash hash);
    bool modelLoaded(ModelHash hash) const;
    void releaseModel(ModelHash hash);
    // Creation as the game does it: 0 unless the model is loaded and of the right kind.
    Handle createVehicle(ModelHash model, Vec3 position, float heading);
    Handle createPedInVehicle(Handle vehicle, ModelHash model, std::int32_t seat, std::int32_t pedType);

    // Seats and tasks. A ped uses a vehicle while entering, sitting in or leaving it.
    void seatPed(Handle ped, Handle vehicle, std::int32_t seat);
    void unseatPed(Handle ped);
    Handle occupant(Handle vehicle, std::int32_t seat) const;
    Handle vehicleUsedBy(Handle ped) const;
    bool isSittingIn(Handle ped, Handle vehicle) const;
    void orderEnterVehicle(Handle ped, Handle vehicle, std::int32_t seat);
    void orderLeaveVehicle(Handle ped, Handle vehicle);
    // Drops every task; a ped in or at a vehicle is put out of it at once.
    void clearTasks(Handle ped);
    // Teleports: a ped is taken out of its vehicle, a vehicle carries its occupants along.
    void setPosition(Handle entity, Vec3 position);

    // Geometry. `offset` is in the entity's own frame: +y forward along its heading, +z up.
    // A missing entity gives the zero vector, as the game answers for a stale handle.
    Vec3 offsetInWorld(Handle entity, Vec3 offset) const;
    Vec3 bonePosition(Handle ped, std::int32_t bone) const;
    bool hasClearLineOfSight(Handle from, Handle to) const;
    // Peds within `nearbyRadius` of the ped, nearest first (equal distances by handle), without
    // the ped itself and without peds of type `ignoredType` (-1 ignores none).
    std::vector<Handle> nearbyPeds(Handle ped, std::int32_t ignoredType) const;

    // Combat. A shot at `point` hits the nearest living ped whose body stands within
    // `shotRadius` across and `shotHeight` up or down of it, other than the shooter and the
    // peds in the shooter's vehicle.
    // `ordered`: fired by the order itself, not by the shoot task lasting on.
    void recordShot(Handle shooter, Vec3 point, bool ordered = true);
    // A shoot task fires a round at its point every `roundGapMs` until a later task replaces it,
    // the ped leaves its vehicle or is down. An order fires at once unless the ped's last round
    // was less than that gap ago.
    void orderShootAt(SimEntity& ped, Vec3 point);
    void fireLastingTasks();

    // The gameplay camera. Third person it stands at `camera` looking at the player (in or out of
    // his vehicle); first person it sits at the head of the driver's seat of the player's vehicle
    // (or at his own head), looking along `firstPersonYaw` and `firstPersonPitch`.
    Vec3 cameraPosition() const;
    // Degrees: x pitch, y roll (always 0), z yaw.
    Vec3 cameraRotation() const;
    // A unit vector along the camera's look.
    Vec3 cameraFacing() const;

    // The vehicle's model box (from the game's vehicle table), turned to its heading, holds `point`.
    bool boxHolds(const SimEntity& vehicle, Vec3 point) const;
    void damage(Handle victim, Handle attacker, std::int32_t amount);
    // Health set outright: a ped lives while it has health left.
    void setHealth(SimEntity& entity, std::int32_t health);
    // The game setting the player's wanted level itself (0 drops it, as after an escape): in force
    // at once, and a level the script asked for but has not had applied yet is dropped.
    void forceWantedLevel(std::int32_t level);

    // Moves time on: tasks run down, models stream in, entities move by their velocity.
    void advance(std::uint32_t elapsedMs);

    static constexpr std::int32_t gameModelFrames = 1;
    static constexpr float shotRadius = 1.0f;
    static constexpr float shotHeight = 1.0f;
    static constexpr std::int32_t shotDamage = 25;
    static constexpr std::int32_t enterVehicleMs = 2000;
    static constexpr std::int32_t leaveVehicleMs = 1000;
    static constexpr float nearbyRadius = 100.0f;
    static constexpr std::int32_t headBone = 31086;
    static constexpr float headHeight = 0.7f;
    static constexpr std::uint32_t roundGapMs = 100;
    // The driver's head in the vehicle's own frame: left of the middle, ahead of the gun seats.
    static constexpr Vec3 driverHead{-0.5f, 1.0f, 1.0f};

private:
    void streamModels();
    void runTasks(std::int32_t elapsedMs);
    void finishTask(SimEntity& ped);
    void moveEntities(std::uint32_t elapsedMs);
    void carryOccupants(const SimEntity& vehicle);
};

}  // namespace sim

// Natives about the game world: the player, the wanted level, models, entities and geometry.
// Every stale handle is answered as the game answers it: 0, false or the zero vector.
#include "natives/handlers.h"

#include <cmath>

namespace sim {
namespace {

Entities& world(NativeContext& call) { return call.world.entities; }

Vec3 vecArgs(NativeContext& call, int first) {
    return Vec3{call.floatArg(first), call.floatArg(first + 1), call.floatArg(first + 2)};
}

// Player and wanted level

void playerId(NativeContext& call) { call.returnInt(world(call).playerIndex); }
void playerPedId(NativeContext& call) { call.returnInt(world(call).playerPed); }

void getPlayerGroup(NativeContext& call) {
    call.returnInt(call.intArg(0) == world(call).playerIndex ? world(call).playerGroup : 0);
}

void isPlayerWantedLevelGreater(NativeContext& call) {
    call.returnBool(call.intArg(0) == world(call).playerIndex && world(call).wantedLevel > call.intArg(1));
}

// The hash is the game's no-drop variant: a lower level than the one in force is ignored.
void setPlayerWantedLevel(NativeContext& call) {
    Entities& w = world(call);
    if (call.intArg(0) != w.playerIndex) return;
    const std::int32_t level = call.intArg(1);
    if (level > w.wantedLevel) w.pendingWantedLevel = level;
}

void setPlayerWantedLevelNow(NativeContext& call) {
    Entities& w = world(call);
    if (call.intArg(0) != w.playerIndex) return;
    if (w.pendingWantedLevel > w.wantedLevel) w.wantedLevel = w.pendingWantedLevel;
}

// Models

void getHashKey(NativeContext& call) {
    const char* name = call.textArg(0);
    call.returnInt(static_cast<std::int32_t>(name != nullptr ? hashName(name) : 0u));
}

void isModelInCdimage(NativeContext& call) {
    const Model* model = world(call).findModel(call.hashArg(0));
    call.returnBool(model != nullptr && model->inImage);
}

void isModelAVehicle(NativeContext& call) {
    const Model* model = world(call).findModel(call.hashArg(0));
    call.returnBool(model != nullptr && model->inImage && model->isVehicle);
}

void requestModel(NativeContext& call) { world(call).requestModel(call.hashArg(0)); }
void hasModelLoaded(NativeContext& call) { call.returnBool(world(call).modelLoaded(call.hashArg(0))); }
void setModelAsNoLongerNeeded(NativeContext& call) { world(call).releaseModel(call.hashArg(0)); }

// Entities

void doesEntityExist(NativeContext& call) { call.returnBool(world(call).exists(call.intArg(0))); }

void isEntityAPed(NativeContext& call) { call.returnBool(world(call).findPed(call.intArg(0)) != nullptr); }

void isEntityInWater(NativeContext& call) {
    const SimEntity* e = world(call).find(call.intArg(0));
    call.returnBool(e != nullptr && e->inWater);
}

void isEntityUpsidedown(NativeContext& call) {
    const SimEntity* e = world(call).find(call.intArg(0));
    call.returnBool(e != nullptr && e->upsideDown);
}

void getEntityHealth(NativeContext& call) {
    const SimEntity* e = world(call).find(call.intArg(0));
    call.returnInt(e != nullptr ? e->health : 0);
}

void setEntityHealth(NativeContext& call) {
    if (SimEntity* e = world(call).find(call.intArg(0))) world(call).setHealth(*e, call.intArg(1));
}

void setEntityMaxHealth(NativeContext& call) {
    if (SimEntity* e = world(call).find(call.intArg(0))) e->maxHealth = call.intArg(1);
}

void getEntityCoords(NativeContext& call) {
    const SimEntity* e = world(call).find(call.intArg(0));
    call.returnVector(e != nullptr ? e->position : Vec3{});
}

void getEntityVelocity(NativeContext& call) {
    const SimEntity* e = world(call).find(call.intArg(0));
    call.returnVector(e != nullptr ? e->velocity : Vec3{});
}

void setEntityCoords(NativeContext& call) { world(call).setPosition(call.intArg(0), vecArgs(call, 1)); }

void getOffsetFromEntityInWorldCoords(NativeContext& call) {
    call.returnVector(world(call).offsetInWorld(call.intArg(0), vecArgs(call, 1)));
}

void hasEntityBeenDamagedByEntity(NativeContext& call) {
    const Entities& w = world(call);
    const SimEntity* damaged = w.find(call.intArg(0));
    const Handle attacker = call.intArg(1);
    call.returnBool(damaged != nullptr && w.exists(attacker) && damaged->damagedBy.count(attacker) != 0);
}

void hasEntityClearLosToEntity(NativeContext& call) {
    call.returnBool(world(call).hasClearLineOfSight(call.intArg(0), call.intArg(1)));
}

// The two release natives take the address of the script's handle; a null address is ignored.
void setPedAsNoLongerNeeded(NativeContext& call) {
    const auto* handle = call.pointerArg<const std::int32_t>(0);
    if (handle == nullptr) return;
    if (SimEntity* p = world(call).findPed(*handle)) p->noLongerNeeded = true;
}

void setVehicleAsNoLongerNeeded(NativeContext& call) {
    const auto* handle = call.pointerArg<const std::int32_t>(0);
    if (handle == nullptr) return;
    if (SimEntity* v = world(call).findVehicle(*handle)) v->noLongerNeeded = true;
}

// Vehicles

void createVehicle(NativeContext& call) {
    call.returnInt(world(call).createVehicle(call.hashArg(0), vecArgs(call, 1), call.floatArg(4)));
}

void setVehicleOnGroundProperly(NativeContext& call) {
    Entities& w = world(call);
    SimEntity* v = w.findVehicle(call.intArg(0));
    if (v == nullptr) {
        call.returnBool(false);
        return;
    }
    v->upsideDown = false;
    w.setPosition(v->handle, Vec3{v->position.x, v->position.y, w.groundZ});
    call.returnBool(true);
}

void getVehiclePetrolTankHealth(NativeContext& call) {
    const SimEntity* v = world(call).findVehicle(call.intArg(0));
    call.returnFloat(v != nullptr ? v->petrolTankHealth : 0.0f);
}

// Camera and maths

void getGameplayCamCoord(NativeContext& call) { call.returnVector(world(call).cameraPosition()); }

void getDistanceBetweenCoords(NativeContext& call) {
    const Vec3 a = vecArgs(call, 0);
    const Vec3 b = vecArgs(call, 3);
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    const float dz = call.boolArg(6) ? a.z - b.z : 0.0f;
    call.returnFloat(std::sqrt(dx * dx + dy * dy + dz * dz));
}

}  // namespace

void registerWorldHandlers(SimHost& host) {
    host.setHandler(NativeId::PlayerId, playerId);
    host.setHandler(NativeId::PlayerPedId, playerPedId);
    host.setHandler(NativeId::GetPlayerGroup, getPlayerGroup);
    host.setHandler(NativeId::IsPlayerWantedLevelGreater, isPlayerWantedLevelGreater);
    host.setHandler(NativeId::SetPlayerWantedLevel, setPlayerWantedLevel);
    host.setHandler(NativeId::SetPlayerWantedLevelNow, setPlayerWantedLevelNow);

    host.setHandler(NativeId::GetHashKey, getHashKey);
    host.setHandler(NativeId::IsModelInCdimage, isModelInCdimage);
    host.setHandler(NativeId::IsModelAVehicle, isModelAVehicle);
    host.setHandler(NativeId::RequestModel, requestModel);
    host.setHandler(NativeId::HasModelLoaded, hasModelLoaded);
    host.setHandler(NativeId::SetModelAsNoLongerNeeded, setModelAsNoLongerNeeded);

    host.setHandler(NativeId::DoesEntityExist, doesEntityExist);
    host.setHandler(NativeId::IsEntityAPed, isEntityAPed);
    host.setHandler(NativeId::IsEntityInWater, isEntityInWater);
    host.setHandler(NativeId::IsEntityUpsidedown, isEntityUpsidedown);
    host.setHandler(NativeId::GetEntityHealth, getEntityHealth);
    host.setHandler(NativeId::SetEntityHealth, setEntityHealth);
    host.setHandler(NativeId::SetEntityMaxHealth, setEntityMaxHealth);
    host.setHandler(NativeId::GetEntityCoords, getEntityCoords);
    host.setHandler(NativeId::GetEntityVelocity, getEntityVelocity);
    host.setHandler(NativeId::SetEntityCoords, setEntityCoords);
    host.setHandler(NativeId::GetOffsetFromEntityInWorldCoords, getOffsetFromEntityInWorldCoords);
    host.setHandler(NativeId::HasEntityBeenDamagedByEntity, hasEntityBeenDamagedByEntity);
    host.setHandler(NativeId::HasEntityClearLosToEntity, hasEntityClearLosToEntity);
    host.setHandler(NativeId::SetPedAsNoLongerNeeded, setPedAsNoLongerNeeded);
    host.setHandler(NativeId::SetVehicleAsNoLongerNeeded, setVehicleAsNoLongerNeeded);

    host.setHandler(NativeId::CreateVehicle, createVehicle);
    host.setHandler(NativeId::SetVehicleOnGroundProperly, setVehicleOnGroundProperly);
    host.setHandler(NativeId::GetVehiclePetrolTankHealth, getVehiclePetrolTankHealth);

    host.setHandler(NativeId::GetGameplayCamCoord, getGameplayCamCoord);
    host.setHandler(NativeId::GetDistanceBetweenCoords, getDistanceBetweenCoords);

    registerPedHandlers(host);
    registerGameHandlers(host);
}

}  // namespace sim

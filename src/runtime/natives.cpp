// One small wrapper per native: the arguments as the current game build reads them, the result
// decoded the way the callers use it.
#include "runtime/natives.h"

#include "runtime/native_call.h"

namespace {

template <typename... Args>
const std::uint64_t* call(Native native, Args... args) {
    return callNative(static_cast<NativeHash>(native), args...);
}

template <typename... Args>
std::int32_t callInt(Native native, Args... args) {
    return decodeInt(call(native, args...));
}

// A BOOL result read as a whole 32-bit value: any non-zero value is true.
template <typename... Args>
bool callTrue(Native native, Args... args) {
    return callInt(native, args...) != 0;
}

// A BOOL result of which only the lowest byte is tested.
template <typename... Args>
bool callLowByte(Native native, Args... args) {
    return decodeLowByte(call(native, args...));
}

template <typename... Args>
float callFloat(Native native, Args... args) {
    return decodeFloat(call(native, args...));
}

template <typename... Args>
Vector3 callVector(Native native, Args... args) {
    return decodeVector3(call(native, args...));
}

}  // namespace

void getScreenResolution(std::int32_t* width, std::int32_t* height) {
    call(Native::GET_SCREEN_RESOLUTION, width, height);
}
void requestStreamedTextureDict(const char* dictionary, bool p1) {
    call(Native::REQUEST_STREAMED_TEXTURE_DICT, dictionary, p1);
}

void setTextFont(std::int32_t font) { call(Native::SET_TEXT_FONT, font); }
void setTextScale(float scale, float size) { call(Native::SET_TEXT_SCALE, scale, size); }
void setTextColour(std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t a) {
    call(Native::SET_TEXT_COLOUR, r, g, b, a);
}
void setTextCentre(bool centre) { call(Native::SET_TEXT_CENTRE, centre); }
void setTextDropshadow(std::int32_t distance, std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t a) {
    call(Native::SET_TEXT_DROPSHADOW, distance, r, g, b, a);
}
void setTextEdge(std::int32_t p0, std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t a) {
    call(Native::SET_TEXT_EDGE, p0, r, g, b, a);
}
void beginTextCommandDisplayText(const char* entry) { call(Native::BEGIN_TEXT_COMMAND_DISPLAY_TEXT, entry); }
void addTextComponentSubstringPlayerName(const char* text) {
    call(Native::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME, text);
}
// Current game builds read a third argument; 0 is its neutral value.
void endTextCommandDisplayText(float x, float y) { call(Native::END_TEXT_COMMAND_DISPLAY_TEXT, x, y, 0); }
void beginTextCommandGetNumberOfLinesForString(const char* entry) {
    call(Native::BEGIN_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING, entry);
}
std::int32_t endTextCommandGetNumberOfLinesForString(float x, float y) {
    return callInt(Native::END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING, x, y);
}
float getRenderedCharacterHeight(float size, std::int32_t font) {
    return callFloat(Native::GET_RENDERED_CHARACTER_HEIGHT, size, font);
}
// Current game builds read a ninth argument; 0 is its neutral value.
void drawRect(float x, float y, float width, float height, std::int32_t r, std::int32_t g, std::int32_t b,
              std::int32_t a) {
    call(Native::DRAW_RECT, x, y, width, height, r, g, b, a, 0);
}

bool doesEntityExist(Entity entity) { return callLowByte(Native::DOES_ENTITY_EXIST, entity); }
bool isEntityAPed(Entity entity) { return callTrue(Native::IS_ENTITY_A_PED, entity); }
bool isEntityInWater(Entity entity) { return callTrue(Native::IS_ENTITY_IN_WATER, entity); }
bool isEntityUpsidedown(Entity entity) { return callTrue(Native::IS_ENTITY_UPSIDEDOWN, entity); }
std::int32_t getEntityHealth(Entity entity) { return callInt(Native::GET_ENTITY_HEALTH, entity); }
Vector3 getEntityCoords(Entity entity, bool alive) { return callVector(Native::GET_ENTITY_COORDS, entity, alive); }
Vector3 getEntityVelocity(Entity entity) { return callVector(Native::GET_ENTITY_VELOCITY, entity); }
Vector3 getOffsetFromEntityInWorldCoords(Entity entity, float x, float y, float z) {
    return callVector(Native::GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS, entity, x, y, z);
}
void setEntityCoords(Entity entity, float x, float y, float z, bool xAxis, bool yAxis, bool zAxis, bool clearArea) {
    call(Native::SET_ENTITY_COORDS, entity, x, y, z, xAxis, yAxis, zAxis, clearArea);
}
void setEntityMaxHealth(Entity entity, std::int32_t value) { call(Native::SET_ENTITY_MAX_HEALTH, entity, value); }
// Current game builds read an instigator and a weapon type as well; 0 and 0 leave them unset.
void setEntityHealth(Entity entity, std::int32_t health) { call(Native::SET_ENTITY_HEALTH, entity, health, 0, 0); }
bool hasEntityBeenDamagedByEntity(Entity damaged, Entity attacker, bool p2) {
    return callTrue(Native::HAS_ENTITY_BEEN_DAMAGED_BY_ENTITY, damaged, attacker, p2);
}
bool hasEntityClearLosToEntity(Entity from, Entity to, std::int32_t traceType) {
    return callTrue(Native::HAS_ENTITY_CLEAR_LOS_TO_ENTITY, from, to, traceType);
}
Hash getHashKey(const char* name) { return static_cast<Hash>(callInt(Native::GET_HASH_KEY, name)); }
bool isModelInCdimage(Hash model) { return callTrue(Native::IS_MODEL_IN_CDIMAGE, model); }
bool isModelAVehicle(Hash model) { return callTrue(Native::IS_MODEL_A_VEHICLE, model); }
void requestModel(Hash model) { call(Native::REQUEST_MODEL, model); }
bool hasModelLoaded(Hash model) { return callTrue(Native::HAS_MODEL_LOADED, model); }
void setModelAsNoLongerNeeded(Hash model) { call(Native::SET_MODEL_AS_NO_LONGER_NEEDED, model); }
void getModelDimensions(Hash model, Vector3* minimum, Vector3* maximum) {
    call(Native::GET_MODEL_DIMENSIONS, model, minimum, maximum);
}
void setPedAsNoLongerNeeded(Ped* ped) { call(Native::SET_PED_AS_NO_LONGER_NEEDED, ped); }
void setVehicleAsNoLongerNeeded(Vehicle* vehicle) { call(Native::SET_VEHICLE_AS_NO_LONGER_NEEDED, vehicle); }

Player playerId() { return callInt(Native::PLAYER_ID); }
Ped playerPedId() { return callInt(Native::PLAYER_PED_ID); }
std::int32_t getPlayerGroup(Player player) { return callInt(Native::GET_PLAYER_GROUP, player); }
bool isPlayerWantedLevelGreater(Player player, std::int32_t wantedLevel) {
    return callLowByte(Native::IS_PLAYER_WANTED_LEVEL_GREATER, player, wantedLevel);
}
void setPlayerWantedLevelNoDrop(Player player, std::int32_t wantedLevel, bool p2) {
    call(Native::SET_PLAYER_WANTED_LEVEL_NO_DROP, player, wantedLevel, p2);
}
void setPlayerWantedLevelNow(Player player, bool p1) { call(Native::SET_PLAYER_WANTED_LEVEL_NOW, player, p1); }

// Current game builds read an eighth argument; 0 is its neutral value.
Vehicle createVehicle(Hash model, float x, float y, float z, float heading, bool isNetwork, bool scriptHost) {
    return callInt(Native::CREATE_VEHICLE, model, x, y, z, heading, isNetwork, scriptHost, 0);
}
// Current game builds read a second argument; 5.0 is the game's own default.
void setVehicleOnGroundProperly(Vehicle vehicle) { call(Native::SET_VEHICLE_ON_GROUND_PROPERLY, vehicle, 5.0f); }
float getVehiclePetrolTankHealth(Vehicle vehicle) { return callFloat(Native::GET_VEHICLE_PETROL_TANK_HEALTH, vehicle); }

Ped createPedInsideVehicle(Vehicle vehicle, std::int32_t pedType, Hash model, std::int32_t seat, bool isNetwork,
                           bool scriptHost) {
    return callInt(Native::CREATE_PED_INSIDE_VEHICLE, vehicle, pedType, model, seat, isNetwork, scriptHost);
}
Vehicle getVehiclePedIsUsing(Ped ped) { return callInt(Native::GET_VEHICLE_PED_IS_USING, ped); }
bool isPedSittingInVehicle(Ped ped, Vehicle vehicle) {
    return callTrue(Native::IS_PED_SITTING_IN_VEHICLE, ped, vehicle);
}
std::int32_t getPedType(Ped ped) { return callInt(Native::GET_PED_TYPE, ped); }
std::int32_t getPedNearbyPeds(Ped ped, std::int32_t* sizeAndPeds, std::int32_t ignore) {
    return callInt(Native::GET_PED_NEARBY_PEDS, ped, sizeAndPeds, ignore);
}
Vector3 getPedBoneCoords(Ped ped, std::int32_t bone, float x, float y, float z) {
    return callVector(Native::GET_PED_BONE_COORDS, ped, bone, x, y, z);
}
void setPedAsGroupMember(Ped ped, std::int32_t group) { call(Native::SET_PED_AS_GROUP_MEMBER, ped, group); }
void setPedNeverLeavesGroup(Ped ped, bool toggle) { call(Native::SET_PED_NEVER_LEAVES_GROUP, ped, toggle); }
void setPedGroupMemberPassengerIndex(Ped ped, std::int32_t index) {
    call(Native::SET_PED_GROUP_MEMBER_PASSENGER_INDEX, ped, index);
}
void setPedArmour(Ped ped, std::int32_t amount) { call(Native::SET_PED_ARMOUR, ped, amount); }
void setPedKeepTask(Ped ped, bool toggle) { call(Native::SET_PED_KEEP_TASK, ped, toggle); }
void setPedCanRagdoll(Ped ped, bool toggle) { call(Native::SET_PED_CAN_RAGDOLL, ped, toggle); }
void setPedSuffersCriticalHits(Ped ped, bool toggle) { call(Native::SET_PED_SUFFERS_CRITICAL_HITS, ped, toggle); }
void setPedFiringPattern(Ped ped, Hash pattern) { call(Native::SET_PED_FIRING_PATTERN, ped, pattern); }
void setBlockingOfNonTemporaryEvents(Ped ped, bool toggle) {
    call(Native::SET_BLOCKING_OF_NON_TEMPORARY_EVENTS, ped, toggle);
}
void giveDelayedWeaponToPed(Ped ped, Hash weapon, std::int32_t ammo, bool forceInHand) {
    call(Native::GIVE_DELAYED_WEAPON_TO_PED, ped, weapon, ammo, forceInHand);
}
void setCurrentPedWeapon(Ped ped, Hash weapon, bool forceInHand) {
    call(Native::SET_CURRENT_PED_WEAPON, ped, weapon, forceInHand);
}

void clearPedTasksImmediately(Ped ped) { call(Native::CLEAR_PED_TASKS_IMMEDIATELY, ped); }
// Current game builds read an entry clip set name (0: none) and one more argument (0).
void taskEnterVehicle(Ped ped, Vehicle vehicle, std::int32_t timeout, std::int32_t seat, float speed,
                      std::int32_t flag) {
    call(Native::TASK_ENTER_VEHICLE, ped, vehicle, timeout, seat, speed, flag, 0, 0);
}
void taskLeaveVehicle(Ped ped, Vehicle vehicle, std::int32_t flags) {
    call(Native::TASK_LEAVE_VEHICLE, ped, vehicle, flags);
}
void taskVehicleAimAtCoord(Ped ped, float x, float y, float z) {
    call(Native::TASK_VEHICLE_AIM_AT_COORD, ped, x, y, z);
}
void taskVehicleShootAtCoord(Ped ped, float x, float y, float z, float fireTolerance) {
    call(Native::TASK_VEHICLE_SHOOT_AT_COORD, ped, x, y, z, fireTolerance);
}

Vector3 getGameplayCamCoord() { return callVector(Native::GET_GAMEPLAY_CAM_COORD); }
Vector3 getGameplayCamRot(std::int32_t rotationOrder) {
    return callVector(Native::GET_GAMEPLAY_CAM_ROT, rotationOrder);
}
float getDistanceBetweenCoords(float x1, float y1, float z1, float x2, float y2, float z2, bool useZ) {
    return callFloat(Native::GET_DISTANCE_BETWEEN_COORDS, x1, y1, z1, x2, y2, z2, useZ);
}

void disableControlAction(std::int32_t control, std::int32_t action, bool disableRelatedActions) {
    call(Native::DISABLE_CONTROL_ACTION, control, action, disableRelatedActions);
}
bool isCutsceneActive() { return callTrue(Native::IS_CUTSCENE_ACTIVE); }

// Typed wrappers for every native the script calls; each hash is written once, in `Native`.
#pragma once

#include "runtime/types.h"

#include <cstdint>

enum class Native : NativeHash {
    ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME = 0x6C188BE134E074AA,
    BEGIN_TEXT_COMMAND_DISPLAY_TEXT = 0x25FBB336DF1804CB,
    BEGIN_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING = 0x521FB041D93DD0E4,
    CLEAR_PED_TASKS_IMMEDIATELY = 0xAAA34F8A7CB32098,
    CREATE_PED_INSIDE_VEHICLE = 0x7DD959874C1FD534,
    CREATE_VEHICLE = 0xAF35D0D2583051B0,
    DISABLE_CONTROL_ACTION = 0xFE99B66D079CF6BC,
    DOES_ENTITY_EXIST = 0x7239B21A38F536BA,
    DRAW_RECT = 0x3A618A217E5154F0,
    END_TEXT_COMMAND_DISPLAY_TEXT = 0xCD015E5BB0D96A57,
    END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING = 0x9040DFB09BE75706,
    GET_DISTANCE_BETWEEN_COORDS = 0xF1B760881820C952,
    GET_ENTITY_COORDS = 0x3FEF770D40960D5A,
    GET_ENTITY_HEALTH = 0xEEF059FAD016D209,
    GET_ENTITY_VELOCITY = 0x4805D2B1D8CF94A9,
    GET_GAMEPLAY_CAM_COORD = 0x14D6F5678D8F1B37,
    GET_GAMEPLAY_CAM_ROT = 0x837765A25378F0BB,
    GET_HASH_KEY = 0xD24D37CC275948CC,
    GET_MODEL_DIMENSIONS = 0x03E8D3D5F549087A,
    GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS = 0x1899F328B0E12848,
    GET_PED_BONE_COORDS = 0x17C07FC640E86B4E,
    GET_PED_NEARBY_PEDS = 0x23F8F5FC7E8C4A6B,
    GET_PED_TYPE = 0xFF059E1E4C01E63C,
    GET_PLAYER_GROUP = 0x0D127585F77030AF,
    GET_RENDERED_CHARACTER_HEIGHT = 0xDB88A37483346780,
    GET_SCREEN_RESOLUTION = 0x888D57E407E63624,
    GET_VEHICLE_PED_IS_USING = 0x6094AD011A2EA87D,
    GET_VEHICLE_PETROL_TANK_HEALTH = 0x7D5DABE888D2D074,
    GIVE_DELAYED_WEAPON_TO_PED = 0xB282DC6EBD803C75,
    HAS_ENTITY_BEEN_DAMAGED_BY_ENTITY = 0xC86D67D52A707CF8,
    HAS_ENTITY_CLEAR_LOS_TO_ENTITY = 0xFCDFF7B72D23A1AC,
    HAS_MODEL_LOADED = 0x98A4EB5D89A0C952,
    IS_CUTSCENE_ACTIVE = 0x991251AFC3981F84,
    IS_ENTITY_A_PED = 0x524AC5ECEA15343E,
    IS_ENTITY_IN_WATER = 0xCFB0A0D8EDD145A3,
    IS_ENTITY_UPSIDEDOWN = 0x1DBD58820FA61D71,
    IS_MODEL_A_VEHICLE = 0x19AAC8F07BFEC53E,
    IS_MODEL_IN_CDIMAGE = 0x35B9E0803292B641,
    IS_PED_SITTING_IN_VEHICLE = 0xA808AA1D79230FC2,
    IS_PLAYER_WANTED_LEVEL_GREATER = 0x238DB2A2C23EE9EF,
    PLAYER_ID = 0x4F8644AF03D0E0D6,
    PLAYER_PED_ID = 0xD80958FC74E988A6,
    REQUEST_MODEL = 0x963D27A58DF860AC,
    REQUEST_STREAMED_TEXTURE_DICT = 0xDFA2EF8E04127DD5,
    SET_BLOCKING_OF_NON_TEMPORARY_EVENTS = 0x9F8AA94D6D97DBF4,
    SET_CURRENT_PED_WEAPON = 0xADF692B254977C0C,
    SET_ENTITY_COORDS = 0x06843DA7060A026B,
    SET_ENTITY_HEALTH = 0x6B76DC1F3AE6E6A3,
    SET_ENTITY_MAX_HEALTH = 0x166E7CF68597D8B5,
    SET_MODEL_AS_NO_LONGER_NEEDED = 0xE532F5D78798DAAB,
    SET_PED_ARMOUR = 0xCEA04D83135264CC,
    SET_PED_AS_GROUP_MEMBER = 0x9F3480FE65DB31B5,
    SET_PED_AS_NO_LONGER_NEEDED = 0x2595DD4236549CE3,
    SET_PED_CAN_RAGDOLL = 0xB128377056A54E2A,
    SET_PED_FIRING_PATTERN = 0x9AC577F5A12AD8A9,
    SET_PED_GROUP_MEMBER_PASSENGER_INDEX = 0x0BDDB8D9EC6BCF3C,
    SET_PED_KEEP_TASK = 0x971D38760FBC02EF,
    SET_PED_NEVER_LEAVES_GROUP = 0x3DBFC55D5C9BB447,
    SET_PED_SUFFERS_CRITICAL_HITS = 0xEBD76F2359F190AC,
    SET_PLAYER_WANTED_LEVEL_NO_DROP = 0x340E61DE7F471565,
    SET_PLAYER_WANTED_LEVEL_NOW = 0xE0A7D1E497FFCD6F,
    SET_TEXT_CENTRE = 0xC02F4DBFB51D988B,
    SET_TEXT_COLOUR = 0xBE6B23FFA53FB442,
    SET_TEXT_DROPSHADOW = 0x465C84BC39F1C351,
    SET_TEXT_EDGE = 0x441603240D202FA6,
    SET_TEXT_FONT = 0x66E0276CC5F6B9DA,
    SET_TEXT_SCALE = 0x07C837F9A01C34C9,
    SET_VEHICLE_AS_NO_LONGER_NEEDED = 0x629BFA74418D6239,
    SET_VEHICLE_ON_GROUND_PROPERLY = 0x49733E92263139D1,
    TASK_ENTER_VEHICLE = 0xC20E50AA46D09CA8,
    TASK_LEAVE_VEHICLE = 0xD3DBCE61A490BE02,
    TASK_VEHICLE_AIM_AT_COORD = 0x447C1E9EF844BC0F,
    TASK_VEHICLE_SHOOT_AT_COORD = 0x5190796ED39C9B6D,
};

// Screen and streaming
void getScreenResolution(std::int32_t* width, std::int32_t* height);
void requestStreamedTextureDict(const char* dictionary, bool p1);

// Text drawing
void setTextFont(std::int32_t font);
void setTextScale(float scale, float size);
void setTextColour(std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t a);
void setTextCentre(bool centre);
void setTextDropshadow(std::int32_t distance, std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t a);
void setTextEdge(std::int32_t p0, std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t a);
void beginTextCommandDisplayText(const char* entry);
void addTextComponentSubstringPlayerName(const char* text);
void endTextCommandDisplayText(float x, float y);
void beginTextCommandGetNumberOfLinesForString(const char* entry);
std::int32_t endTextCommandGetNumberOfLinesForString(float x, float y);
float getRenderedCharacterHeight(float size, std::int32_t font);
void drawRect(float x, float y, float width, float height, std::int32_t r, std::int32_t g, std::int32_t b,
              std::int32_t a);

// Entities and models
bool doesEntityExist(Entity entity);
bool isEntityAPed(Entity entity);
bool isEntityInWater(Entity entity);
bool isEntityUpsidedown(Entity entity);
std::int32_t getEntityHealth(Entity entity);
Vector3 getEntityCoords(Entity entity, bool alive);
Vector3 getEntityVelocity(Entity entity);
Vector3 getOffsetFromEntityInWorldCoords(Entity entity, float x, float y, float z);
void setEntityCoords(Entity entity, float x, float y, float z, bool xAxis, bool yAxis, bool zAxis, bool clearArea);
void setEntityMaxHealth(Entity entity, std::int32_t value);
void setEntityHealth(Entity entity, std::int32_t health);
bool hasEntityBeenDamagedByEntity(Entity damaged, Entity attacker, bool p2);
bool hasEntityClearLosToEntity(Entity from, Entity to, std::int32_t traceType);
Hash getHashKey(const char* name);
bool isModelInCdimage(Hash model);
bool isModelAVehicle(Hash model);
void requestModel(Hash model);
bool hasModelLoaded(Hash model);
void setModelAsNoLongerNeeded(Hash model);
void getModelDimensions(Hash model, Vector3* minimum, Vector3* maximum);
void setPedAsNoLongerNeeded(Ped* ped);
void setVehicleAsNoLongerNeeded(Vehicle* vehicle);

// Player
Player playerId();
Ped playerPedId();
std::int32_t getPlayerGroup(Player player);
bool isPlayerWantedLevelGreater(Player player, std::int32_t wantedLevel);
void setPlayerWantedLevelNoDrop(Player player, std::int32_t wantedLevel, bool p2);
void setPlayerWantedLevelNow(Player player, bool p1);

// Vehicles
Vehicle createVehicle(Hash model, float x, float y, float z, float heading, bool isNetwork, bool scriptHost);
void setVehicleOnGroundProperly(Vehicle vehicle);
float getVehiclePetrolTankHealth(Vehicle vehicle);

// Peds
Ped createPedInsideVehicle(Vehicle vehicle, std::int32_t pedType, Hash model, std::int32_t seat, bool isNetwork,
                           bool scriptHost);
Vehicle getVehiclePedIsUsing(Ped ped);
bool isPedSittingInVehicle(Ped ped, Vehicle vehicle);
std::int32_t getPedType(Ped ped);
std::int32_t getPedNearbyPeds(Ped ped, std::int32_t* sizeAndPeds, std::int32_t ignore);
Vector3 getPedBoneCoords(Ped ped, std::int32_t bone, float x, float y, float z);
void setPedAsGroupMember(Ped ped, std::int32_t group);
void setPedNeverLeavesGroup(Ped ped, bool toggle);
void setPedGroupMemberPassengerIndex(Ped ped, std::int32_t index);
void setPedArmour(Ped ped, std::int32_t amount);
void setPedKeepTask(Ped ped, bool toggle);
void setPedCanRagdoll(Ped ped, bool toggle);
void setPedSuffersCriticalHits(Ped ped, bool toggle);
void setPedFiringPattern(Ped ped, Hash pattern);
void setBlockingOfNonTemporaryEvents(Ped ped, bool toggle);
void giveDelayedWeaponToPed(Ped ped, Hash weapon, std::int32_t ammo, bool forceInHand);
void setCurrentPedWeapon(Ped ped, Hash weapon, bool forceInHand);

// Tasks
void clearPedTasksImmediately(Ped ped);
void taskEnterVehicle(Ped ped, Vehicle vehicle, std::int32_t timeout, std::int32_t seat, float speed,
                      std::int32_t flag);
void taskLeaveVehicle(Ped ped, Vehicle vehicle, std::int32_t flags);
void taskVehicleAimAtCoord(Ped ped, float x, float y, float z);
void taskVehicleShootAtCoord(Ped ped, float x, float y, float z, float fireTolerance);

// Camera and maths
Vector3 getGameplayCamCoord();
// Degrees: x pitch, y roll, z yaw, in the given rotation order.
Vector3 getGameplayCamRot(std::int32_t rotationOrder);
float getDistanceBetweenCoords(float x1, float y1, float z1, float x2, float y2, float z2, bool useZ);

// Controls and cutscenes
// For the current frame only: the game re-enables every control each frame.
void disableControlAction(std::int32_t control, std::int32_t action, bool disableRelatedActions);
bool isCutsceneActive();

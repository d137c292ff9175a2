// The simulated host's one registry of the natives it knows: an id for each, and its hash, names,
// argument kinds and result kind. Code names a native by its id, so a misspelt one fails to compile.
#pragma once

#include <cstdint>
#include <string_view>

namespace sim {

enum class ArgKind : std::uint8_t { Int, Bool, Hash, Float, Text, Pointer, Entity };
enum class ResultKind : std::uint8_t { None, Int, Bool, Hash, Float, Vector, Entity };

// In the order of the table; a recorded call's native index is its id's value.
enum class NativeId : std::uint8_t {
    AddTextComponentSubstringPlayerName,
    BeginTextCommandDisplayText,
    BeginTextCommandGetNumberOfLinesForString,
    ClearPedTasksImmediately,
    CreatePedInsideVehicle,
    CreateVehicle,
    DisableControlAction,
    DoesEntityExist,
    DrawRect,
    EndTextCommandDisplayText,
    EndTextCommandGetNumberOfLinesForString,
    GetDistanceBetweenCoords,
    GetEntityCoords,
    GetEntityHealth,
    GetEntityVelocity,
    GetGameplayCamCoord,
    GetGameplayCamRot,
    GetHashKey,
    GetModelDimensions,
    GetOffsetFromEntityInWorldCoords,
    GetPedBoneCoords,
    GetPedNearbyPeds,
    GetPedType,
    GetPlayerGroup,
    GetRenderedCharacterHeight,
    GetScreenResolution,
    GetVehiclePedIsUsing,
    GetVehiclePetrolTankHealth,
    GiveDelayedWeaponToPed,
    HasEntityBeenDamagedByEntity,
    HasEntityClearLosToEntity,
    HasModelLoaded,
    IsCutsceneActive,
    IsEntityAPed,
    IsEntityInWater,
    IsEntityUpsidedown,
    IsModelAVehicle,
    IsModelInCdimage,
    IsPedSittingInVehicle,
    IsPlayerWantedLevelGreater,
    PlayerId,
    PlayerPedId,
    RequestModel,
    RequestStreamedTextureDict,
    SetBlockingOfNonTemporaryEvents,
    SetCurrentPedWeapon,
    SetEntityCoords,
    SetEntityHealth,
    SetEntityMaxHealth,
    SetModelAsNoLongerNeeded,
    SetPedArmour,
    SetPedAsGroupMember,
    SetPedAsNoLongerNeeded,
    SetPedCanRagdoll,
    SetPedFiringPattern,
    SetPedGroupMemberPassengerIndex,
    SetPedKeepTask,
    SetPedNeverLeavesGroup,
    SetPedSuffersCriticalHits,
    SetPlayerWantedLevelNow,
    SetPlayerWantedLevel,
    SetTextCentre,
    SetTextColour,
    SetTextDropshadow,
    SetTextEdge,
    SetTextFont,
    SetTextScale,
    SetVehicleAsNoLongerNeeded,
    SetVehicleOnGroundProperly,
    TaskEnterVehicle,
    TaskLeaveVehicle,
    TaskVehicleAimAtCoord,
    TaskVehicleShootAtCoord,
};

inline constexpr int nativeIndex(NativeId id) { return static_cast<int>(id); }

struct NativeInfo {
    NativeId id;
    std::uint64_t hash;
    std::string_view name;      // the name the script's wrappers use
    std::string_view gameName;  // the game's own name, without its namespace
    ResultKind result;
    std::string_view args;  // one letter per argument: i b h f t p e
};

int nativeCount();
const NativeInfo& nativeInfo(int index);
inline const NativeInfo& nativeInfo(NativeId id) { return nativeInfo(nativeIndex(id)); }
// Index of the native with this hash, or -1 when the host does not know it.
int findNative(std::uint64_t hash);
// For names that come from data (scenario files, test tables); -1 when unknown.
int findNativeByName(std::string_view name);
ArgKind argKind(const NativeInfo& info, int position);

}  // namespace sim

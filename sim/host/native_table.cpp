// The natives the simulated host answers, with their arguments as the current game build reads them.
#include "host/native_table.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "host/call_record.h"

namespace sim {
namespace {

// Argument letters: i int, b BOOL, h hash, f float, t text pointer, p out-pointer, e entity handle.
// One native a line: the table reads best unwrapped.
// clang-format off
constexpr NativeInfo table[] = {
    {NativeId::AddTextComponentSubstringPlayerName, 0x6C188BE134E074AA, "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME", "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME", ResultKind::None, "t"},
    {NativeId::BeginTextCommandDisplayText, 0x25FBB336DF1804CB, "BEGIN_TEXT_COMMAND_DISPLAY_TEXT", "BEGIN_TEXT_COMMAND_DISPLAY_TEXT", ResultKind::None, "t"},
    {NativeId::BeginTextCommandGetNumberOfLinesForString, 0x521FB041D93DD0E4, "BEGIN_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING", "BEGIN_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING", ResultKind::None, "t"},
    {NativeId::ClearPedTasksImmediately, 0xAAA34F8A7CB32098, "CLEAR_PED_TASKS_IMMEDIATELY", "CLEAR_PED_TASKS_IMMEDIATELY", ResultKind::None, "e"},
    {NativeId::CreatePedInsideVehicle, 0x7DD959874C1FD534, "CREATE_PED_INSIDE_VEHICLE", "CREATE_PED_INSIDE_VEHICLE", ResultKind::Entity, "eihibb"},
    {NativeId::CreateVehicle, 0xAF35D0D2583051B0, "CREATE_VEHICLE", "CREATE_VEHICLE", ResultKind::Entity, "hffffbbb"},
    {NativeId::DisableControlAction, 0xFE99B66D079CF6BC, "DISABLE_CONTROL_ACTION", "DISABLE_CONTROL_ACTION", ResultKind::None, "iib"},
    {NativeId::DoesEntityExist, 0x7239B21A38F536BA, "DOES_ENTITY_EXIST", "DOES_ENTITY_EXIST", ResultKind::Bool, "e"},
    {NativeId::DrawRect, 0x3A618A217E5154F0, "DRAW_RECT", "DRAW_RECT", ResultKind::None, "ffffiiiib"},
    {NativeId::EndTextCommandDisplayText, 0xCD015E5BB0D96A57, "END_TEXT_COMMAND_DISPLAY_TEXT", "END_TEXT_COMMAND_DISPLAY_TEXT", ResultKind::None, "ffi"},
    {NativeId::EndTextCommandGetNumberOfLinesForString, 0x9040DFB09BE75706, "END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING", "END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING", ResultKind::Int, "ff"},
    {NativeId::GetDistanceBetweenCoords, 0xF1B760881820C952, "GET_DISTANCE_BETWEEN_COORDS", "GET_DISTANCE_BETWEEN_COORDS", ResultKind::Float, "ffffffb"},
    {NativeId::GetEntityCoords, 0x3FEF770D40960D5A, "GET_ENTITY_COORDS", "GET_ENTITY_COORDS", ResultKind::Vector, "eb"},
    {NativeId::GetEntityHealth, 0xEEF059FAD016D209, "GET_ENTITY_HEALTH", "GET_ENTITY_HEALTH", ResultKind::Int, "e"},
    {NativeId::GetEntityVelocity, 0x4805D2B1D8CF94A9, "GET_ENTITY_VELOCITY", "GET_ENTITY_VELOCITY", ResultKind::Vector, "e"},
    {NativeId::GetGameplayCamCoord, 0x14D6F5678D8F1B37, "GET_GAMEPLAY_CAM_COORD", "GET_GAMEPLAY_CAM_COORD", ResultKind::Vector, ""},
    {NativeId::GetGameplayCamRot, 0x837765A25378F0BB, "GET_GAMEPLAY_CAM_ROT", "GET_GAMEPLAY_CAM_ROT", ResultKind::Vector, "i"},
    {NativeId::GetHashKey, 0xD24D37CC275948CC, "GET_HASH_KEY", "GET_HASH_KEY", ResultKind::Hash, "t"},
    {NativeId::GetModelDimensions, 0x03E8D3D5F549087A, "GET_MODEL_DIMENSIONS", "GET_MODEL_DIMENSIONS", ResultKind::None, "hpp"},
    {NativeId::GetOffsetFromEntityInWorldCoords, 0x1899F328B0E12848, "GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS", "GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS", ResultKind::Vector, "efff"},
    {NativeId::GetPedBoneCoords, 0x17C07FC640E86B4E, "GET_PED_BONE_COORDS", "GET_PED_BONE_COORDS", ResultKind::Vector, "eifff"},
    {NativeId::GetPedNearbyPeds, 0x23F8F5FC7E8C4A6B, "GET_PED_NEARBY_PEDS", "GET_PED_NEARBY_PEDS", ResultKind::Int, "epi"},
    {NativeId::GetPedType, 0xFF059E1E4C01E63C, "GET_PED_TYPE", "GET_PED_TYPE", ResultKind::Int, "e"},
    {NativeId::GetPlayerGroup, 0x0D127585F77030AF, "GET_PLAYER_GROUP", "GET_PLAYER_GROUP", ResultKind::Int, "i"},
    {NativeId::GetRenderedCharacterHeight, 0xDB88A37483346780, "GET_RENDERED_CHARACTER_HEIGHT", "GET_RENDERED_CHARACTER_HEIGHT", ResultKind::Float, "fi"},
    {NativeId::GetScreenResolution, 0x888D57E407E63624, "GET_SCREEN_RESOLUTION", "GET_SCREEN_RESOLUTION", ResultKind::None, "pp"},
    {NativeId::GetVehiclePedIsUsing, 0x6094AD011A2EA87D, "GET_VEHICLE_PED_IS_USING", "GET_VEHICLE_PED_IS_USING", ResultKind::Entity, "e"},
    {NativeId::GetVehiclePetrolTankHealth, 0x7D5DABE888D2D074, "GET_VEHICLE_PETROL_TANK_HEALTH", "GET_VEHICLE_PETROL_TANK_HEALTH", ResultKind::Float, "e"},
    {NativeId::GiveDelayedWeaponToPed, 0xB282DC6EBD803C75, "GIVE_DELAYED_WEAPON_TO_PED", "GIVE_DELAYED_WEAPON_TO_PED", ResultKind::None, "ehib"},
    {NativeId::HasEntityBeenDamagedByEntity, 0xC86D67D52A707CF8, "HAS_ENTITY_BEEN_DAMAGED_BY_ENTITY", "HAS_ENTITY_BEEN_DAMAGED_BY_ENTITY", ResultKind::Bool, "eeb"},
    {NativeId::HasEntityClearLosToEntity, 0xFCDFF7B72D23A1AC, "HAS_ENTITY_CLEAR_LOS_TO_ENTITY", "HAS_ENTITY_CLEAR_LOS_TO_ENTITY", ResultKind::Bool, "eei"},
    {NativeId::HasModelLoaded, 0x98A4EB5D89A0C952, "HAS_MODEL_LOADED", "HAS_MODEL_LOADED", ResultKind::Bool, "h"},
    {NativeId::IsCutsceneActive, 0x991251AFC3981F84, "IS_CUTSCENE_ACTIVE", "IS_CUTSCENE_ACTIVE", ResultKind::Bool, ""},
    {NativeId::IsEntityAPed, 0x524AC5ECEA15343E, "IS_ENTITY_A_PED", "IS_ENTITY_A_PED", ResultKind::Bool, "e"},
    {NativeId::IsEntityInWater, 0xCFB0A0D8EDD145A3, "IS_ENTITY_IN_WATER", "IS_ENTITY_IN_WATER", ResultKind::Bool, "e"},
    {NativeId::IsEntityUpsidedown, 0x1DBD58820FA61D71, "IS_ENTITY_UPSIDEDOWN", "IS_ENTITY_UPSIDEDOWN", ResultKind::Bool, "e"},
    {NativeId::IsModelAVehicle, 0x19AAC8F07BFEC53E, "IS_MODEL_A_VEHICLE", "IS_MODEL_A_VEHICLE", ResultKind::Bool, "h"},
    {NativeId::IsModelInCdimage, 0x35B9E0803292B641, "IS_MODEL_IN_CDIMAGE", "IS_MODEL_IN_CDIMAGE", ResultKind::Bool, "h"},
    {NativeId::IsPedSittingInVehicle, 0xA808AA1D79230FC2, "IS_PED_SITTING_IN_VEHICLE", "IS_PED_SITTING_IN_VEHICLE", ResultKind::Bool, "ee"},
    {NativeId::IsPlayerWantedLevelGreater, 0x238DB2A2C23EE9EF, "IS_PLAYER_WANTED_LEVEL_GREATER", "IS_PLAYER_WANTED_LEVEL_GREATER", ResultKind::Bool, "ii"},
    {NativeId::PlayerId, 0x4F8644AF03D0E0D6, "PLAYER_ID", "PLAYER_ID", ResultKind::Int, ""},
    {NativeId::PlayerPedId, 0xD80958FC74E988A6, "PLAYER_PED_ID", "PLAYER_PED_ID", ResultKind::Entity, ""},
    {NativeId::RequestModel, 0x963D27A58DF860AC, "REQUEST_MODEL", "REQUEST_MODEL", ResultKind::None, "h"},
    {NativeId::RequestStreamedTextureDict, 0xDFA2EF8E04127DD5, "REQUEST_STREAMED_TEXTURE_DICT", "REQUEST_STREAMED_TEXTURE_DICT", ResultKind::None, "tb"},
    {NativeId::SetBlockingOfNonTemporaryEvents, 0x9F8AA94D6D97DBF4, "SET_BLOCKING_OF_NON_TEMPORARY_EVENTS", "SET_BLOCKING_OF_NON_TEMPORARY_EVENTS", ResultKind::None, "eb"},
    {NativeId::SetCurrentPedWeapon, 0xADF692B254977C0C, "SET_CURRENT_PED_WEAPON", "SET_CURRENT_PED_WEAPON", ResultKind::None, "ehb"},
    {NativeId::SetEntityCoords, 0x06843DA7060A026B, "SET_ENTITY_COORDS", "SET_ENTITY_COORDS", ResultKind::None, "efffbbbb"},
    {NativeId::SetEntityHealth, 0x6B76DC1F3AE6E6A3, "SET_ENTITY_HEALTH", "SET_ENTITY_HEALTH", ResultKind::None, "eieh"},
    {NativeId::SetEntityMaxHealth, 0x166E7CF68597D8B5, "SET_ENTITY_MAX_HEALTH", "SET_ENTITY_MAX_HEALTH", ResultKind::None, "ei"},
    {NativeId::SetModelAsNoLongerNeeded, 0xE532F5D78798DAAB, "SET_MODEL_AS_NO_LONGER_NEEDED", "SET_MODEL_AS_NO_LONGER_NEEDED", ResultKind::None, "h"},
    {NativeId::SetPedArmour, 0xCEA04D83135264CC, "SET_PED_ARMOUR", "SET_PED_ARMOUR", ResultKind::None, "ei"},
    {NativeId::SetPedAsGroupMember, 0x9F3480FE65DB31B5, "SET_PED_AS_GROUP_MEMBER", "SET_PED_AS_GROUP_MEMBER", ResultKind::None, "ei"},
    {NativeId::SetPedAsNoLongerNeeded, 0x2595DD4236549CE3, "SET_PED_AS_NO_LONGER_NEEDED", "SET_PED_AS_NO_LONGER_NEEDED", ResultKind::None, "p"},
    {NativeId::SetPedCanRagdoll, 0xB128377056A54E2A, "SET_PED_CAN_RAGDOLL", "SET_PED_CAN_RAGDOLL", ResultKind::None, "eb"},
    {NativeId::SetPedFiringPattern, 0x9AC577F5A12AD8A9, "SET_PED_FIRING_PATTERN", "SET_PED_FIRING_PATTERN", ResultKind::None, "eh"},
    {NativeId::SetPedGroupMemberPassengerIndex, 0x0BDDB8D9EC6BCF3C, "SET_PED_GROUP_MEMBER_PASSENGER_INDEX", "SET_PED_GROUP_MEMBER_PASSENGER_INDEX", ResultKind::None, "ei"},
    {NativeId::SetPedKeepTask, 0x971D38760FBC02EF, "SET_PED_KEEP_TASK", "SET_PED_KEEP_TASK", ResultKind::None, "eb"},
    {NativeId::SetPedNeverLeavesGroup, 0x3DBFC55D5C9BB447, "SET_PED_NEVER_LEAVES_GROUP", "SET_PED_NEVER_LEAVES_GROUP", ResultKind::None, "eb"},
    {NativeId::SetPedSuffersCriticalHits, 0xEBD76F2359F190AC, "SET_PED_SUFFERS_CRITICAL_HITS", "SET_PED_SUFFERS_CRITICAL_HITS", ResultKind::None, "eb"},
    {NativeId::SetPlayerWantedLevelNow, 0xE0A7D1E497FFCD6F, "SET_PLAYER_WANTED_LEVEL_NOW", "SET_PLAYER_WANTED_LEVEL_NOW", ResultKind::None, "ib"},
    {NativeId::SetPlayerWantedLevel, 0x340E61DE7F471565, "SET_PLAYER_WANTED_LEVEL", "SET_PLAYER_WANTED_LEVEL_NO_DROP", ResultKind::None, "iib"},
    {NativeId::SetTextCentre, 0xC02F4DBFB51D988B, "SET_TEXT_CENTRE", "SET_TEXT_CENTRE", ResultKind::None, "b"},
    {NativeId::SetTextColour, 0xBE6B23FFA53FB442, "SET_TEXT_COLOUR", "SET_TEXT_COLOUR", ResultKind::None, "iiii"},
    {NativeId::SetTextDropshadow, 0x465C84BC39F1C351, "SET_TEXT_DROPSHADOW", "SET_TEXT_DROPSHADOW", ResultKind::None, "iiiii"},
    {NativeId::SetTextEdge, 0x441603240D202FA6, "SET_TEXT_EDGE", "SET_TEXT_EDGE", ResultKind::None, "iiiii"},
    {NativeId::SetTextFont, 0x66E0276CC5F6B9DA, "SET_TEXT_FONT", "SET_TEXT_FONT", ResultKind::None, "i"},
    {NativeId::SetTextScale, 0x07C837F9A01C34C9, "SET_TEXT_SCALE", "SET_TEXT_SCALE", ResultKind::None, "ff"},
    {NativeId::SetVehicleAsNoLongerNeeded, 0x629BFA74418D6239, "SET_VEHICLE_AS_NO_LONGER_NEEDED", "SET_VEHICLE_AS_NO_LONGER_NEEDED", ResultKind::None, "p"},
    {NativeId::SetVehicleOnGroundProperly, 0x49733E92263139D1, "SET_VEHICLE_ON_GROUND_PROPERLY", "SET_VEHICLE_ON_GROUND_PROPERLY", ResultKind::Bool, "ef"},
    {NativeId::TaskEnterVehicle, 0xC20E50AA46D09CA8, "TASK_ENTER_VEHICLE", "TASK_ENTER_VEHICLE", ResultKind::None, "eeiifiti"},
    {NativeId::TaskLeaveVehicle, 0xD3DBCE61A490BE02, "TASK_LEAVE_VEHICLE", "TASK_LEAVE_VEHICLE", ResultKind::None, "eei"},
    {NativeId::TaskVehicleAimAtCoord, 0x447C1E9EF844BC0F, "TASK_VEHICLE_AIM_AT_COORD", "TASK_VEHICLE_AIM_AT_COORD", ResultKind::None, "efff"},
    {NativeId::TaskVehicleShootAtCoord, 0x5190796ED39C9B6D, "TASK_VEHICLE_SHOOT_AT_COORD", "TASK_VEHICLE_SHOOT_AT_COORD", ResultKind::None, "effff"},
};
// clang-format on

// Each id names its own row, and every native's arguments fit in a call's slots.
constexpr bool tableIsConsistent() {
    for (std::size_t i = 0; i < std::size(table); ++i) {
        if (nativeIndex(table[i].id) != static_cast<int>(i)) return false;
        if (table[i].args.size() > static_cast<std::size_t>(maxNativeArgs)) return false;
    }
    return true;
}
static_assert(tableIsConsistent(), "the table's rows must follow NativeId's order");
static_assert(std::size(table) == static_cast<std::size_t>(NativeId::TaskVehicleShootAtCoord) + 1,
              "every NativeId needs its row");

const std::unordered_map<std::uint64_t, int>& indexByHash() {
    static const std::unordered_map<std::uint64_t, int> index = [] {
        std::unordered_map<std::uint64_t, int> built;
        for (int i = 0; i < nativeCount(); ++i) built.emplace(table[i].hash, i);
        return built;
    }();
    return index;
}

}  // namespace

int nativeCount() { return static_cast<int>(std::size(table)); }

const NativeInfo& nativeInfo(int index) { return table[index]; }

int findNative(std::uint64_t hash) {
    const auto& index = indexByHash();
    const auto found = index.find(hash);
    return found == index.end() ? -1 : found->second;
}

int findNativeByName(std::string_view name) {
    for (int i = 0; i < nativeCount(); ++i) {
        if (table[i].name == name || table[i].gameName == name) return i;
    }
    return -1;
}

ArgKind argKind(const NativeInfo& info, int position) {
    switch (info.args[static_cast<std::size_t>(position)]) {
        case 'b':
            return ArgKind::Bool;
        case 'h':
            return ArgKind::Hash;
        case 'f':
            return ArgKind::Float;
        case 't':
            return ArgKind::Text;
        case 'p':
            return ArgKind::Pointer;
        case 'e':
            return ArgKind::Entity;
        default:
            return ArgKind::Int;
    }
}

}  // namespace sim

// The hostile world's answers and its checks on every call the script makes.
#include "hostile_world.h"

#include "runtime/state.h"

#include "host/native_table.h"
#include "world/entities.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace fuzz {
namespace {

// The natives the world answers with more than a plain value.
enum class Id : std::uint8_t {
    Other,
    PlayerId,
    PlayerPedId,
    GetVehiclePedIsUsing,
    DoesEntityExist,
    IsEntityAPed,
    IsPedSittingInVehicle,
    HasEntityClearLos,
    GetPedType,
    HasEntityBeenDamagedBy,
    GetEntityCoords,
    GetDistanceBetweenCoords,
    GetOffsetFromEntity,
    GetPedBoneCoords,
    GetEntityVelocity,
    GetGameplayCamCoord,
    GetEntityHealth,
    GetPetrolTankHealth,
    IsEntityInWater,
    IsEntityUpsidedown,
    GetHashKey,
    IsModelInCdimage,
    IsModelAVehicle,
    HasModelLoaded,
    CreateVehicle,
    CreatePedInsideVehicle,
    GetPlayerGroup,
    IsPlayerWantedLevelGreater,
    SetPlayerWantedLevel,
    SetPlayerWantedLevelNow,
    GetNumberOfLines,
    GetCharacterHeight,
    GetScreenResolution,
    GetPedNearbyPeds,
    SetEntityCoords,
    TaskEnterVehicle,
    TaskLeaveVehicle,
    ClearPedTasksImmediately,
    SetEntityHealth,
    SetVehicleOnGroundProperly,
    SetPedAsNoLongerNeeded,
    SetVehicleAsNoLongerNeeded,
    TaskVehicleShootAtCoord,
};

struct NamedId {
    const char* name;
    Id id;
};

constexpr NamedId namedIds[] = {
    {"PLAYER_ID", Id::PlayerId},
    {"PLAYER_PED_ID", Id::PlayerPedId},
    {"GET_VEHICLE_PED_IS_USING", Id::GetVehiclePedIsUsing},
    {"DOES_ENTITY_EXIST", Id::DoesEntityExist},
    {"IS_ENTITY_A_PED", Id::IsEntityAPed},
    {"IS_PED_SITTING_IN_VEHICLE", Id::IsPedSittingInVehicle},
    {"HAS_ENTITY_CLEAR_LOS_TO_ENTITY", Id::HasEntityClearLos},
    {"GET_PED_TYPE", Id::GetPedType},
    {"HAS_ENTITY_BEEN_DAMAGED_BY_ENTITY", Id::HasEntityBeenDamagedBy},
    {"GET_ENTITY_COORDS", Id::GetEntityCoords},
    {"GET_DISTANCE_BETWEEN_COORDS", Id::GetDistanceBetweenCoords},
    {"GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS", Id::GetOffsetFromEntity},
    {"GET_PED_BONE_COORDS", Id::GetPedBoneCoords},
    {"GET_ENTITY_VELOCITY", Id::GetEntityVelocity},
    {"GET_GAMEPLAY_CAM_COORD", Id::GetGameplayCamCoord},
    {"GET_ENTITY_HEALTH", Id::GetEntityHealth},
    {"GET_VEHICLE_PETROL_TANK_HEALTH", Id::GetPetrolTankHealth},
    {"IS_ENTITY_IN_WATER", Id::IsEntityInWater},
    {"IS_ENTITY_UPSIDEDOWN", Id::IsEntityUpsidedown},
    {"GET_HASH_KEY", Id::GetHashKey},
    {"IS_MODEL_IN_CDIMAGE", Id::IsModelInCdimage},
    {"IS_MODEL_A_VEHICLE", Id::IsModelAVehicle},
    {"HAS_MODEL_LOADED", Id::HasModelLoaded},
    {"CREATE_VEHICLE", Id::CreateVehicle},
    {"CREATE_PED_INSIDE_VEHICLE", Id::CreatePedInsideVehicle},
    {"GET_PLAYER_GROUP", Id::GetPlayerGroup},
    {"IS_PLAYER_WANTED_LEVEL_GREATER", Id::IsPlayerWantedLevelGreater},
    {"SET_PLAYER_WANTED_LEVEL_NO_DROP", Id::SetPlayerWantedLevel},
    {"SET_PLAYER_WANTED_LEVEL_NOW", Id::SetPlayerWantedLevelNow},
    {"END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING", Id::GetNumberOfLines},
    {"GET_RENDERED_CHARACTER_HEIGHT", Id::GetCharacterHeight},
    {"GET_SCREEN_RESOLUTION", Id::GetScreenResolution},
    {"GET_PED_NEARBY_PEDS", Id::GetPedNearbyPeds},
    {"SET_ENTITY_COORDS", Id::SetEntityCoords},
    {"TASK_ENTER_VEHICLE", Id::TaskEnterVehicle},
    {"TASK_LEAVE_VEHICLE", Id::TaskLeaveVehicle},
    {"CLEAR_PED_TASKS_IMMEDIATELY", Id::ClearPedTasksImmediately},
    {"SET_ENTITY_HEALTH", Id::SetEntityHealth},
    {"SET_VEHICLE_ON_GROUND_PROPERLY", Id::SetVehicleOnGroundProperly},
    {"SET_PED_AS_NO_LONGER_NEEDED", Id::SetPedAsNoLongerNeeded},
    {"SET_VEHICLE_AS_NO_LONGER_NEEDED", Id::SetVehicleAsNoLongerNeeded},
    {"TASK_VEHICLE_SHOOT_AT_COORD", Id::TaskVehicleShootAtCoord},
};

Id idOf(const std::string& name) {
    for (const auto& named : namedIds) {
        if (name == named.name) return named.id;
    }
    return Id::Other;
}

const std::vector<Id>& idsByReference() {
    static const std::vector<Id> ids = [] {
        std::vector<Id> built;
        for (const auto& native : referenceNatives()) built.push_back(idOf(native.name));
        return built;
    }();
    return ids;
}

Id idOfNative(const ReferenceNative& native) {
    return idsByReference()[static_cast<std::size_t>(&native - referenceNatives().data())];
}

float floatFromBits(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

constexpr int headBone = 31086;
constexpr int nearbyWords = 102;
constexpr int nearbyCapacity = 50;

}  // namespace

HostileWorld::HostileWorld(FuzzInput& input, HostileWorldOptions options) : input_(input), options_(options) {
    byHostIndex_.assign(static_cast<std::size_t>(sim::nativeCount()), nullptr);
    for (int i = 0; i < sim::nativeCount(); ++i) {
        byHostIndex_[static_cast<std::size_t>(i)] = findReferenceNative(sim::nativeInfo(i).hash);
    }
    callCounts_.assign(static_cast<std::size_t>(sim::nativeCount()), 0);
    playerPed_ = spawn(true, sim::Vec3{0.0f, 0.0f, 0.0f});
}

void HostileWorld::fail(const std::string& message) {
    if (failures_.size() < 20) failures_.push_back(message);
}

std::uint64_t HostileWorld::callsOf(const std::string& name) const {
    const int index = sim::findNativeByName(name);
    return index < 0 ? 0 : callCounts_[static_cast<std::size_t>(index)];
}

std::int32_t HostileWorld::spawn(bool isPed, sim::Vec3 position) {
    const std::int32_t handle = nextHandle_++;
    ShadowEntity entity;
    entity.isPed = isPed;
    entity.position = position;
    if (!isPed) entity.health = 1000;
    entities_[handle] = entity;
    return handle;
}

ShadowEntity* HostileWorld::find(std::int32_t handle) {
    const auto found = entities_.find(handle);
    return found == entities_.end() ? nullptr : &found->second;
}

sim::Vec3 HostileWorld::positionOf(std::int32_t handle) {
    const ShadowEntity* entity = find(handle);
    return entity != nullptr ? entity->position : sim::Vec3{};
}

void HostileWorld::populate(int peds) {
    for (int i = 0; i < peds; ++i) {
        const std::uint8_t looks = input_.answerByte();
        const float distance = 2.0f + static_cast<float>(input_.answerByte()) * 4.0f;
        const float side = (looks & 1) != 0 ? 1.0f : -1.0f;
        const std::int32_t ped = spawn(true, sim::Vec3{side * distance, distance * 0.5f, 0.0f});
        ShadowEntity& entity = entities_[ped];
        entity.pedType = (looks & 0x0E) == 0 ? 6 : 4;
        entity.enemy = (looks & 0x30) == 0;
        entity.hidden = (looks & 0xC0) == 0;
        nearby_.push_back(ped);
    }
}

void HostileWorld::noteBufferWords(const std::int32_t* words, int count) {
    for (int i = 0; i < count; ++i) {
        if (receivedHandles_.insert(words[i]).second) receivedList_.push_back(words[i]);
    }
}

void HostileWorld::applyEvent(std::uint8_t event) {
    if (event < 0xF0) return;
    ShadowEntity* player = find(playerPed_);
    ShadowEntity* gunner = find(lastGunner_);
    switch (event & 0x0F) {
        case 0:  // the player gets into the newest crew vehicle
            if (player != nullptr && find(lastVehicle_) != nullptr) {
                player->vehicle = lastVehicle_;
                player->sitting = true;
            }
            break;
        case 1:  // the player gets out
            if (player != nullptr) {
                player->vehicle = 0;
                player->sitting = false;
            }
            break;
        case 2:  // the gunner gets out
            if (gunner != nullptr) {
                gunner->vehicle = 0;
                gunner->sitting = false;
            }
            break;
        case 3:  // the gunner is back in its seat
            if (gunner != nullptr && find(lastVehicle_) != nullptr) {
                gunner->vehicle = lastVehicle_;
                gunner->sitting = true;
            }
            break;
        case 4:  // the gunner is climbing in: using the vehicle, not yet sitting
            if (gunner != nullptr) {
                gunner->vehicle = lastVehicle_;
                gunner->sitting = false;
            }
            break;
        case 5:  // some entity the script knows of vanishes
            if (!receivedList_.empty()) {
                const std::int32_t victim = receivedList_[input_.answerByte() % receivedList_.size()];
                if (victim != playerPed_ && find(victim) != nullptr) {
                    vanished_[victim] = entities_[victim];
                    entities_.erase(victim);
                }
            }
            break;
        case 6:  // the gunner vanishes
            if (gunner != nullptr) {
                vanished_[lastGunner_] = *gunner;
                entities_.erase(lastGunner_);
            }
            break;
        case 7:  // the crew vehicle vanishes
            if (find(lastVehicle_) != nullptr) {
                vanished_[lastVehicle_] = entities_[lastVehicle_];
                entities_.erase(lastVehicle_);
            }
            break;
        case 8:  // someone walks up
            populate(1);
            break;
        case 9:  // someone near the player is gone
            if (!nearby_.empty()) {
                const std::size_t at = input_.answerByte() % nearby_.size();
                entities_.erase(nearby_[at]);
                nearby_.erase(nearby_.begin() + static_cast<std::ptrdiff_t>(at));
            }
            break;
        case 10:  // the player respawns as a new ped
            if (player != nullptr) {
                const ShadowEntity old = *player;
                entities_.erase(playerPed_);
                playerPed_ = spawn(true, old.position);
            }
            break;
        case 11:  // a vanished handle is in use again
            if (!vanished_.empty()) {
                auto back = vanished_.begin();
                entities_[back->first] = back->second;
                vanished_.erase(back);
            }
            break;
        case 12:  // the player takes some other vehicle
            if (player != nullptr) {
                const std::int32_t other = spawn(false, player->position);
                player = find(playerPed_);
                player->vehicle = other;
                player->sitting = true;
            }
            break;
        case 13:  // the crew vehicle is wrecked one way or another
            if (ShadowEntity* vehicle = find(lastVehicle_)) {
                switch (input_.answerByte() % 4) {
                    case 0: vehicle->petrolTank = 0.0f; break;
                    case 1: vehicle->petrolTank = -100.0f; break;
                    case 2: vehicle->inWater = true; break;
                    default: vehicle->upsideDown = true; break;
                }
            }
            break;
        case 14:  // the crew vehicle is repaired
            if (ShadowEntity* vehicle = find(lastVehicle_)) {
                vehicle->petrolTank = 1000.0f;
                vehicle->inWater = false;
                vehicle->upsideDown = false;
            }
            break;
        default:  // the gunner is badly hurt
            if (gunner != nullptr) gunner->health = static_cast<std::int32_t>(input_.answerByte() % 3);
            break;
    }
}

void HostileWorld::answer(int nativeIndex, sim::NativeContext& call) {
    ++totalCalls_;
    ++callCounts_[static_cast<std::size_t>(nativeIndex)];
    const ReferenceNative* native = byHostIndex_[static_cast<std::size_t>(nativeIndex)];
    if (native == nullptr) {
        fail("frame " + std::to_string(call.host.frame()) + ": " + std::string(sim::nativeInfo(nativeIndex).name) +
             " is not in the game's native list");
        return;
    }
    checkCall(*native, call);

    const std::uint8_t choice = input_.answerByte();
    if (choice < input_.hostility()) {
        ++hostileAnswers_;
        answerHostilely(*native, call);
    } else {
        answerPlausibly(*native, call, choice);
    }
    noteResult(*native, call);
}

void HostileWorld::checkCall(const ReferenceNative& native, sim::NativeContext& call) {
    // Messages are built only for a failure: this runs for every call of every fuzz run.
    const auto where = [&] { return "frame " + std::to_string(call.host.frame()) + ": " + native.name; };
    if (static_cast<std::size_t>(call.argCount) != native.params.size()) {
        fail(where() + " called with " + std::to_string(call.argCount) + " arguments, the game reads " +
             std::to_string(native.params.size()));
    }
    const Id id = idOfNative(native);
    const std::size_t checked = std::min(static_cast<std::size_t>(call.argCount), native.params.size());
    for (std::size_t i = 0; i < checked; ++i) {
        const std::uint64_t slot = call.slots[i];
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(slot));
        const ValueKind kind = native.params[i];
        const auto argument = [&] { return where() + " argument " + std::to_string(i); };
        switch (kind) {
            case ValueKind::Text:
                if (slot == 0 && id != Id::TaskEnterVehicle) fail(argument() + " is a null text");
                break;
            case ValueKind::Pointer: {
                const void* pointer = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(slot));
                const void* expected = nullptr;
                switch (id) {
                    case Id::GetScreenResolution: expected = i == 0 ? static_cast<const void*>(&state.screenWidth)
                                                                    : static_cast<const void*>(&state.screenHeight);
                        break;
                    case Id::GetPedNearbyPeds: expected = state.nearbyPeds; break;
                    case Id::SetPedAsNoLongerNeeded: expected = &state.gunnerPed; break;
                    // The dismissal passes the field itself; the give-up a copy of it on its stack.
                    case Id::SetVehicleAsNoLongerNeeded:
                        expected = pointer != &state.crewVehicle && pointer != nullptr &&
                                           *static_cast<const Vehicle*>(pointer) == state.crewVehicle
                                       ? pointer
                                       : &state.crewVehicle;
                        break;
                    default: break;
                }
                if (pointer != expected) fail(argument() + " points somewhere the script does not own for it");
                break;
            }
            default:
                if ((slot >> 32) != 0) fail(argument() + " has a non-zero upper half");
                if (kind == ValueKind::Handle && !received(value)) {
                    fail(argument() + " is handle " + std::to_string(value) + ", which the game never gave the script");
                }
                if (kind == ValueKind::Player && !receivedPlayer(value)) {
                    fail(argument() + " is player " + std::to_string(value) + ", which the game never gave the script");
                }
                break;
        }
    }

    if (id == Id::TaskVehicleShootAtCoord && options_.checkShotSpacing) {
        if (haveShot_ && state.frameTick - lastShotTick_ <= 100u) {
            fail(where() + " ordered " + std::to_string(state.frameTick - lastShotTick_) +
                 " ms of frameTick after the previous shot");
        }
        haveShot_ = true;
        lastShotTick_ = state.frameTick;
    }
    if (id == Id::SetPlayerWantedLevel && call.argCount >= 2) {
        const std::int32_t level = call.intArg(1);
        if (level < 1 || level > 6 || level <= lastWantedSet_) {
            fail(where() + " sets wanted level " + std::to_string(level) + " after " + std::to_string(lastWantedSet_));
        }
        lastWantedSet_ = level;
    }
}

void HostileWorld::answerPlausibly(const ReferenceNative& native, sim::NativeContext& call, std::uint8_t variety) {
    const auto arg = [&call](int n) { return call.intArg(n); };
    ShadowEntity* first = call.argCount > 0 ? find(arg(0)) : nullptr;
    switch (idOfNative(native)) {
        case Id::PlayerId: call.returnInt(0); break;
        case Id::PlayerPedId: call.returnInt(playerPed_); break;
        case Id::GetVehiclePedIsUsing:
            call.returnInt(first != nullptr && first->isPed && find(first->vehicle) != nullptr ? first->vehicle : 0);
            break;
        case Id::DoesEntityExist: call.returnBool(first != nullptr); break;
        case Id::IsEntityAPed: call.returnBool(first != nullptr && first->isPed); break;
        case Id::IsPedSittingInVehicle:
            call.returnBool(first != nullptr && first->isPed && first->sitting && first->vehicle == arg(1) &&
                            find(arg(1)) != nullptr);
            break;
        case Id::HasEntityClearLos: {
            const ShadowEntity* target = find(arg(1));
            call.returnBool(target != nullptr && !target->hidden);
            break;
        }
        case Id::GetPedType: call.returnInt(first != nullptr ? first->pedType : 0); break;
        case Id::HasEntityBeenDamagedBy: {
            const ShadowEntity* attacker = find(arg(1));
            call.returnBool(first != nullptr && attacker != nullptr && attacker->enemy);
            break;
        }
        case Id::GetEntityCoords: call.returnVector(positionOf(arg(0))); break;
        case Id::GetDistanceBetweenCoords: {
            const float dx = call.floatArg(0) - call.floatArg(3);
            const float dy = call.floatArg(1) - call.floatArg(4);
            const float dz = call.boolArg(6) ? call.floatArg(2) - call.floatArg(5) : 0.0f;
            call.returnFloat(std::sqrt(dx * dx + dy * dy + dz * dz));
            break;
        }
        case Id::GetOffsetFromEntity:
            call.returnVector(positionOf(arg(0)) + sim::Vec3{call.floatArg(1), call.floatArg(2), call.floatArg(3)});
            break;
        case Id::GetPedBoneCoords:
            call.returnVector(positionOf(arg(0)) + sim::Vec3{0.0f, 0.0f, arg(1) == headBone ? 0.7f : 0.0f});
            break;
        case Id::GetEntityVelocity: call.returnVectorParts(1.5f, -0.5f, 0.0f); break;
        case Id::GetGameplayCamCoord: call.returnVector(positionOf(playerPed_) + sim::Vec3{0.0f, -4.0f, 1.5f}); break;
        case Id::GetEntityHealth: call.returnInt(first != nullptr ? first->health : 0); break;
        case Id::GetPetrolTankHealth: call.returnFloat(first != nullptr ? first->petrolTank : 0.0f); break;
        case Id::IsEntityInWater: call.returnBool(first != nullptr && first->inWater); break;
        case Id::IsEntityUpsidedown: call.returnBool(first != nullptr && first->upsideDown); break;
        case Id::GetHashKey: {
            const char* name = call.textArg(0);
            call.returnInt(static_cast<std::int32_t>(sim::hashName(name != nullptr ? name : "")));
            break;
        }
        case Id::IsModelInCdimage:
        case Id::IsModelAVehicle:
        case Id::SetVehicleOnGroundProperly: call.returnBool(true); break;
        case Id::HasModelLoaded: call.returnBool((variety & 3) != 0); break;
        case Id::CreateVehicle:
            lastVehicle_ = spawn(false, sim::Vec3{call.floatArg(1), call.floatArg(2), call.floatArg(3)});
            call.returnInt(lastVehicle_);
            break;
        case Id::CreatePedInsideVehicle:
            if (first != nullptr && !first->isPed) {
                const std::int32_t vehicle = arg(0);
                lastGunner_ = spawn(true, first->position);
                ShadowEntity& gunner = entities_[lastGunner_];
                gunner.vehicle = vehicle;
                gunner.sitting = true;
                call.returnInt(lastGunner_);
            } else {
                call.returnInt(0);
            }
            break;
        case Id::GetPlayerGroup: call.returnInt(1); break;
        case Id::IsPlayerWantedLevelGreater: call.returnBool(wanted_ > arg(1)); break;
        case Id::SetPlayerWantedLevel: wanted_ = arg(1); break;
        case Id::GetNumberOfLines: call.returnInt(1 + (variety & 1)); break;
        case Id::GetCharacterHeight: call.returnFloat(0.02f); break;
        case Id::GetScreenResolution:
            if (auto* width = call.pointerArg<std::int32_t>(0); width == &state.screenWidth) *width = 1280;
            if (auto* height = call.pointerArg<std::int32_t>(1); height == &state.screenHeight) *height = 720;
            break;
        case Id::GetPedNearbyPeds: fillNearbyPeds(call, false); break;
        case Id::SetEntityCoords:
            if (first != nullptr) first->position = sim::Vec3{call.floatArg(1), call.floatArg(2), call.floatArg(3)};
            break;
        case Id::TaskEnterVehicle:
            if (first != nullptr && first->isPed && find(arg(1)) != nullptr) {
                first->vehicle = arg(1);
                first->sitting = true;
            }
            break;
        case Id::TaskLeaveVehicle:
        case Id::ClearPedTasksImmediately:
            if (first != nullptr && first->isPed) {
                first->vehicle = 0;
                first->sitting = false;
            }
            break;
        case Id::SetEntityHealth:
            if (first != nullptr) first->health = arg(1);
            break;
        default: break;
    }
}

std::int32_t HostileWorld::hostileInt() {
    constexpr std::int32_t values[] = {0,   1,   -1,   2,    6,    49,   50,  51,
                                       101, 102, 103,  200,  1000, -50,  300, std::numeric_limits<std::int32_t>::max(),
                                       std::numeric_limits<std::int32_t>::min()};
    const std::uint8_t pick = input_.answerByte();
    if (pick < std::size(values)) return values[pick];
    return static_cast<std::int32_t>(input_.answerWord());
}

std::uint32_t HostileWorld::hostileBool() {
    constexpr std::uint32_t values[] = {0, 1, 0x100, 0xFF, 0xFFFFFFFFu, 0x80000000u, 2, 0xFFFFFF00u};
    return values[input_.answerByte() % std::size(values)];
}

std::int32_t HostileWorld::hostileHandle() {
    switch (input_.answerByte() % 10) {
        case 0: return 0;
        case 1: return -1;
        case 2: {
            const std::int32_t fresh = spawn((input_.answerByte() & 1) != 0, sim::Vec3{});
            return fresh;
        }
        case 3:
            if (!receivedList_.empty()) return receivedList_[input_.answerWord() % receivedList_.size()];
            return 0;
        case 4: return playerPed_;
        case 5: return lastVehicle_;
        case 6: return lastGunner_;
        case 7: return std::numeric_limits<std::int32_t>::min();
        case 8: return std::numeric_limits<std::int32_t>::max();
        default: return static_cast<std::int32_t>(input_.answerWord());
    }
}

float HostileWorld::hostileFloat() {
    constexpr float infinity = std::numeric_limits<float>::infinity();
    const float values[] = {0.0f,
                            -0.0f,
                            1.0f,
                            -1.0f,
                            std::numeric_limits<float>::quiet_NaN(),
                            -std::numeric_limits<float>::quiet_NaN(),
                            infinity,
                            -infinity,
                            std::numeric_limits<float>::max(),
                            -std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::denorm_min(),
                            std::numeric_limits<float>::min(),
                            1e30f,
                            -1e30f,
                            3.0f,
                            50.0f,
                            20.0f,
                            1000.0f,
                            2.1e9f,
                            -2.2e9f};
    const std::uint8_t pick = input_.answerByte();
    if (pick < std::size(values)) return values[pick];
    return floatFromBits(input_.answerWord());
}

void HostileWorld::answerHostilely(const ReferenceNative& native, sim::NativeContext& call) {
    const std::uint8_t how = input_.answerByte();
    // A throw stands for an allocation of the script's own failing inside a frame pass; before
    // the first yield the script runs only its start-up calls, which allocate nothing.
    if (options_.allowThrow && how == 0xFF && call.host.waitCount() > 0) {
        ++thrown_;
        throw std::bad_alloc();
    }
    // Whatever the kind, the slot's upper half and the other slots may hold rubbish.
    const bool scribble = (how & 0x80) != 0;
    switch (native.result) {
        case ValueKind::Void:
            if (scribble) {
                for (int i = 0; i < 3; ++i) {
                    call.result[i] = (static_cast<std::uint64_t>(input_.answerWord()) << 32) | input_.answerWord();
                }
            }
            break;
        case ValueKind::Bool: call.result[0] = hostileBool(); break;
        case ValueKind::Int:
        case ValueKind::Player: call.returnInt(hostileInt()); break;
        case ValueKind::Hash: call.result[0] = input_.answerWord(); break;
        case ValueKind::Handle: call.returnInt(hostileHandle()); break;
        case ValueKind::Float: call.returnFloat(hostileFloat()); break;
        case ValueKind::Vector:
            for (int i = 0; i < 3; ++i) call.result[i] = bitsOf((how >> i) & 1 ? hostileFloat() : 0.0f);
            break;
        default: break;
    }
    if (scribble && native.result != ValueKind::Void) {
        for (int i = 0; i < 3; ++i) call.result[i] |= static_cast<std::uint64_t>(input_.answerWord()) << 32;
    }

    switch (idOfNative(native)) {
        case Id::GetScreenResolution:
            if ((how & 1) != 0) {
                if (auto* width = call.pointerArg<std::int32_t>(0); width == &state.screenWidth) *width = hostileInt();
                if (auto* height = call.pointerArg<std::int32_t>(1); height == &state.screenHeight) *height = hostileInt();
            }
            break;
        case Id::GetPedNearbyPeds: fillNearbyPeds(call, true); break;
        case Id::SetPedAsNoLongerNeeded:
        case Id::SetVehicleAsNoLongerNeeded:
            // The game may rewrite the handle it is given the address of.
            if (auto* field = call.pointerArg<std::int32_t>(0);
                field == &state.gunnerPed || field == &state.crewVehicle) {
                *field = hostileHandle();
                if (receivedHandles_.insert(*field).second) receivedList_.push_back(*field);
            }
            break;
        case Id::SetPlayerWantedLevel: wanted_ = call.intArg(1); break;
        default: break;
    }
}

void HostileWorld::fillNearbyPeds(sim::NativeContext& call, bool hostile) {
    auto* words = call.pointerArg<std::int32_t>(1);
    if (words == nullptr || words != state.nearbyPeds) return;
    if (!hostile) {
        // The game reads its capacity from word 0 and writes one 64-bit slot per ped after a
        // two-word header, never more than the buffer holds.
        const std::int32_t capacity = std::min(words[0], nearbyCapacity);
        std::int32_t written = 0;
        for (const std::int32_t ped : nearby_) {
            if (written >= capacity) break;
            if (find(ped) == nullptr) continue;
            words[2 + 2 * written] = ped;
            words[3 + 2 * written] = 0;
            ++written;
        }
        call.returnInt(written);
    } else {
        const int rubbish = input_.answerByte() % (nearbyWords + 1);
        for (int i = 0; i < rubbish; ++i) {
            const int at = input_.answerByte() % nearbyWords;
            words[at] = hostileHandle();
        }
        call.returnInt(hostileInt());
    }
    noteBufferWords(words, nearbyWords);
}

void HostileWorld::noteResult(const ReferenceNative& native, const sim::NativeContext& call) {
    const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(call.result[0]));
    if (native.result == ValueKind::Handle) {
        if (receivedHandles_.insert(value).second) receivedList_.push_back(value);
    } else if (native.result == ValueKind::Player) {
        receivedPlayers_.insert(value);
    }
}

}  // namespace fuzz

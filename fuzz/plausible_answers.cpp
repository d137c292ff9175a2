// The answers a consistent game would give, from the small world.
#include "hostile_world.h"

#include "runtime/state.h"

#include "world/entities.h"

#include <algorithm>
#include <cmath>

namespace fuzz {
namespace {

constexpr int headBone = 31086;

}  // namespace

void HostileWorld::answerPlausibly(sim::NativeId id, sim::NativeContext& call, std::uint8_t variety) {
    const auto arg = [&call](int n) { return call.intArg(n); };
    ShadowEntity* first = call.argCount > 0 ? find(arg(0)) : nullptr;
    switch (id) {
        case sim::NativeId::PlayerId:
            call.returnInt(0);
            break;
        case sim::NativeId::PlayerPedId:
            call.returnInt(playerPed_);
            break;
        case sim::NativeId::GetVehiclePedIsUsing:
            call.returnInt(first != nullptr && first->isPed && find(first->vehicle) != nullptr ? first->vehicle : 0);
            break;
        case sim::NativeId::DoesEntityExist:
            call.returnBool(first != nullptr);
            break;
        case sim::NativeId::IsEntityAPed:
            call.returnBool(first != nullptr && first->isPed);
            break;
        case sim::NativeId::IsPedSittingInVehicle:
            call.returnBool(first != nullptr && first->isPed && first->sitting && first->vehicle == arg(1) &&
                            find(arg(1)) != nullptr);
            break;
        case sim::NativeId::HasEntityClearLosToEntity: {
            const ShadowEntity* target = find(arg(1));
            call.returnBool(target != nullptr && !target->hidden);
            break;
        }
        case sim::NativeId::GetPedType:
            call.returnInt(first != nullptr ? first->pedType : 0);
            break;
        case sim::NativeId::HasEntityBeenDamagedByEntity: {
            const ShadowEntity* attacker = find(arg(1));
            call.returnBool(first != nullptr && attacker != nullptr && attacker->enemy);
            break;
        }
        case sim::NativeId::GetEntityCoords:
            call.returnVector(positionOf(arg(0)));
            break;
        case sim::NativeId::GetDistanceBetweenCoords: {
            const float dx = call.floatArg(0) - call.floatArg(3);
            const float dy = call.floatArg(1) - call.floatArg(4);
            const float dz = call.boolArg(6) ? call.floatArg(2) - call.floatArg(5) : 0.0f;
            call.returnFloat(std::sqrt(dx * dx + dy * dy + dz * dz));
            break;
        }
        case sim::NativeId::GetOffsetFromEntityInWorldCoords:
            call.returnVector(positionOf(arg(0)) + sim::Vec3{call.floatArg(1), call.floatArg(2), call.floatArg(3)});
            break;
        case sim::NativeId::GetPedBoneCoords:
            call.returnVector(positionOf(arg(0)) + sim::Vec3{0.0f, 0.0f, arg(1) == headBone ? 0.7f : 0.0f});
            break;
        case sim::NativeId::GetEntityVelocity:
            call.returnVectorParts(1.5f, -0.5f, 0.0f);
            break;
        case sim::NativeId::GetGameplayCamCoord:
            call.returnVector(positionOf(playerPed_) + sim::Vec3{0.0f, -4.0f, 1.5f});
            break;
        case sim::NativeId::GetEntityHealth:
            call.returnInt(first != nullptr ? first->health : 0);
            break;
        case sim::NativeId::GetVehiclePetrolTankHealth:
            call.returnFloat(first != nullptr ? first->petrolTank : 0.0f);
            break;
        case sim::NativeId::IsEntityInWater:
            call.returnBool(first != nullptr && first->inWater);
            break;
        case sim::NativeId::IsEntityUpsidedown:
            call.returnBool(first != nullptr && first->upsideDown);
            break;
        case sim::NativeId::GetHashKey: {
            const char* name = call.textArg(0);
            call.returnInt(static_cast<std::int32_t>(sim::hashName(name != nullptr ? name : "")));
            break;
        }
        case sim::NativeId::IsModelInCdimage:
        case sim::NativeId::IsModelAVehicle:
        case sim::NativeId::SetVehicleOnGroundProperly:
            call.returnBool(true);
            break;
        case sim::NativeId::HasModelLoaded:
            call.returnBool((variety & 3) != 0);
            break;
        case sim::NativeId::CreateVehicle:
            lastVehicle_ = spawn(false, sim::Vec3{call.floatArg(1), call.floatArg(2), call.floatArg(3)});
            call.returnInt(lastVehicle_);
            break;
        case sim::NativeId::CreatePedInsideVehicle:
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
        case sim::NativeId::GetPlayerGroup:
            call.returnInt(1);
            break;
        case sim::NativeId::IsPlayerWantedLevelGreater:
            call.returnBool(wanted_ > arg(1));
            break;
        case sim::NativeId::SetPlayerWantedLevel:
            wanted_ = arg(1);
            break;
        case sim::NativeId::EndTextCommandGetNumberOfLinesForString:
            call.returnInt(1 + (variety & 1));
            break;
        case sim::NativeId::GetRenderedCharacterHeight:
            call.returnFloat(0.02f);
            break;
        case sim::NativeId::GetScreenResolution:
            if (auto* width = call.pointerArg<std::int32_t>(0); width == &state.screenWidth) *width = 1280;
            if (auto* height = call.pointerArg<std::int32_t>(1); height == &state.screenHeight) *height = 720;
            break;
        case sim::NativeId::GetPedNearbyPeds:
            fillNearbyPeds(call, false);
            break;
        case sim::NativeId::SetEntityCoords:
            if (first != nullptr) first->position = sim::Vec3{call.floatArg(1), call.floatArg(2), call.floatArg(3)};
            break;
        case sim::NativeId::TaskEnterVehicle:
            if (first != nullptr && first->isPed && find(arg(1)) != nullptr) {
                first->vehicle = arg(1);
                first->sitting = true;
            }
            break;
        case sim::NativeId::TaskLeaveVehicle:
        case sim::NativeId::ClearPedTasksImmediately:
            if (first != nullptr && first->isPed) {
                first->vehicle = 0;
                first->sitting = false;
            }
            break;
        case sim::NativeId::SetEntityHealth:
            if (first != nullptr) first->health = arg(1);
            break;
        default:
            break;
    }
}

void HostileWorld::fillNearbyPeds(sim::NativeContext& call, bool hostile) {
    auto* words = call.pointerArg<std::int32_t>(1);
    if (words == nullptr || words != state.nearbyPeds) return;
    if (!hostile) {
        // The game reads its capacity from word 0 and writes one 64-bit slot per ped after a
        // two-word header, never more than the buffer holds.
        const std::int32_t capacity = std::min(words[0], nearbyPedsCapacity);
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
        const int rubbish = input_.answerByte() % (nearbyPedsWords + 1);
        for (int i = 0; i < rubbish; ++i) {
            const int at = input_.answerByte() % nearbyPedsWords;
            words[at] = hostileHandle();
        }
        call.returnInt(hostileInt());
    }
    noteBufferWords(words, nearbyPedsWords);
}

}  // namespace fuzz

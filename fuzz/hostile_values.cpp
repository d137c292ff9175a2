// Hostile answers: edge values of every kind (handles, counts, floats, BOOLs), rubbish in unused
// result slots, rewritten handles and, when allowed, a throw.
#include "hostile_world.h"

#include "host/slots.h"

#include "runtime/state.h"

#include <limits>
#include <new>

namespace fuzz {

std::int32_t HostileWorld::hostileInt() {
    constexpr std::int32_t values[] = {0,
                                       1,
                                       -1,
                                       2,
                                       6,
                                       49,
                                       50,
                                       51,
                                       101,
                                       102,
                                       103,
                                       200,
                                       1000,
                                       -50,
                                       300,
                                       std::numeric_limits<std::int32_t>::max(),
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
        case 0:
            return 0;
        case 1:
            return -1;
        case 2: {
            const std::int32_t fresh = spawn((input_.answerByte() & 1) != 0, sim::Vec3{});
            return fresh;
        }
        case 3:
            if (!receivedList_.empty()) return receivedList_[input_.answerWord() % receivedList_.size()];
            return 0;
        case 4:
            return playerPed_;
        case 5:
            return lastVehicle_;
        case 6:
            return lastGunner_;
        case 7:
            return std::numeric_limits<std::int32_t>::min();
        case 8:
            return std::numeric_limits<std::int32_t>::max();
        default:
            return static_cast<std::int32_t>(input_.answerWord());
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
    return sim::floatFromSlot(input_.answerWord());
}

void HostileWorld::answerHostilely(sim::NativeId id, const ReferenceNative& native, sim::NativeContext& call) {
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
        case ValueKind::Bool:
            call.result[0] = hostileBool();
            break;
        case ValueKind::Int:
        case ValueKind::Player:
            call.returnInt(hostileInt());
            break;
        case ValueKind::Hash:
            call.result[0] = input_.answerWord();
            break;
        case ValueKind::Handle:
            call.returnInt(hostileHandle());
            break;
        case ValueKind::Float:
            call.returnFloat(hostileFloat());
            break;
        case ValueKind::Vector:
            for (int i = 0; i < 3; ++i) call.result[i] = sim::slotFromFloat((how >> i) & 1 ? hostileFloat() : 0.0f);
            break;
        default:
            break;
    }
    if (scribble && native.result != ValueKind::Void) {
        for (int i = 0; i < 3; ++i) call.result[i] |= static_cast<std::uint64_t>(input_.answerWord()) << 32;
    }

    switch (id) {
        case sim::NativeId::GetScreenResolution:
            if ((how & 1) != 0) {
                if (auto* width = call.pointerArg<std::int32_t>(0); width == &state.screenWidth) *width = hostileInt();
                if (auto* height = call.pointerArg<std::int32_t>(1); height == &state.screenHeight)
                    *height = hostileInt();
            }
            break;
        case sim::NativeId::GetPedNearbyPeds:
            fillNearbyPeds(call, true);
            break;
        case sim::NativeId::SetPedAsNoLongerNeeded:
        case sim::NativeId::SetVehicleAsNoLongerNeeded:
            // The game may rewrite the handle it is given the address of.
            if (auto* field = call.pointerArg<std::int32_t>(0);
                field == &state.gunnerPed || field == &state.crewVehicle) {
                *field = hostileHandle();
                if (receivedHandles_.insert(*field).second) receivedList_.push_back(*field);
            }
            break;
        case sim::NativeId::SetPlayerWantedLevel:
            wanted_ = call.intArg(1);
            break;
        default:
            break;
    }
}

}  // namespace fuzz

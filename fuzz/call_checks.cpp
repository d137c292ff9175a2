// The checks on every call the script makes: argument count and kinds, pointers into the script's
// own state, handles the game gave it, the spacing of shot orders and the wanted levels it sets.
#include "hostile_world.h"

#include "runtime/state.h"

#include <algorithm>
#include <string>

namespace fuzz {

void HostileWorld::checkCall(sim::NativeId id, const ReferenceNative& native, sim::NativeContext& call) {
    // Messages are built only for a failure: this runs for every call of every fuzz run.
    const auto where = [&] { return "frame " + std::to_string(call.host.frame()) + ": " + native.name; };
    if (static_cast<std::size_t>(call.argCount) != native.params.size()) {
        fail(where() + " called with " + std::to_string(call.argCount) + " arguments, the game reads " +
             std::to_string(native.params.size()));
    }
    const std::size_t checked = std::min(static_cast<std::size_t>(call.argCount), native.params.size());
    for (std::size_t i = 0; i < checked; ++i) {
        const std::uint64_t slot = call.slots[i];
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(slot));
        const ValueKind kind = native.params[i];
        const auto argument = [&] { return where() + " argument " + std::to_string(i); };
        switch (kind) {
            case ValueKind::Text:
                if (slot == 0 && id != sim::NativeId::TaskEnterVehicle) fail(argument() + " is a null text");
                break;
            case ValueKind::Pointer: {
                const void* pointer = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(slot));
                const void* expected = nullptr;
                switch (id) {
                    case sim::NativeId::GetScreenResolution:
                        expected = i == 0 ? static_cast<const void*>(&state.screenWidth)
                                          : static_cast<const void*>(&state.screenHeight);
                        break;
                    case sim::NativeId::GetPedNearbyPeds:
                        expected = state.nearbyPeds;
                        break;
                    case sim::NativeId::SetPedAsNoLongerNeeded:
                        expected = &state.gunnerPed;
                        break;
                    // The dismissal passes the field itself; the give-up a copy of it on its stack.
                    case sim::NativeId::SetVehicleAsNoLongerNeeded:
                        expected = pointer != &state.crewVehicle && pointer != nullptr &&
                                           *static_cast<const Vehicle*>(pointer) == state.crewVehicle
                                       ? pointer
                                       : &state.crewVehicle;
                        break;
                    // The two boxes the game fills sit on the spawn's stack: any address but null.
                    case sim::NativeId::GetModelDimensions:
                        expected = pointer == nullptr ? static_cast<const void*>(&state) : pointer;
                        break;
                    default:
                        break;
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

    if (id == sim::NativeId::TaskVehicleShootAtCoord && options_.checkShotSpacing) {
        if (haveShot_ && state.frameTick - lastShotTick_ <= 100u) {
            fail(where() + " ordered " + std::to_string(state.frameTick - lastShotTick_) +
                 " ms of frameTick after the previous shot");
        }
        haveShot_ = true;
        lastShotTick_ = state.frameTick;
    }
    if (id == sim::NativeId::SetPlayerWantedLevel && call.argCount >= 2) {
        const std::int32_t level = call.intArg(1);
        if (level < 1 || level > 6 || level <= lastWantedSet_) {
            fail(where() + " sets wanted level " + std::to_string(level) + " after " + std::to_string(lastWantedSet_));
        }
        lastWantedSet_ = level;
    }
}

}  // namespace fuzz

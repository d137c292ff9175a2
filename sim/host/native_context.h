// What a native handler sees: the pushed slots, typed readers, and the result block to fill.
#pragma once

#include "host/call_record.h"
#include "world/world.h"

#include <cstdint>

namespace sim {

class SimHost;

struct NativeContext {
    SimHost& host;
    World& world;
    const std::uint64_t* slots;
    int argCount;
    std::uint64_t* result;

    std::int32_t intArg(int n) const { return static_cast<std::int32_t>(static_cast<std::uint32_t>(slots[n])); }
    std::uint32_t hashArg(int n) const { return static_cast<std::uint32_t>(slots[n]); }
    bool boolArg(int n) const { return static_cast<std::uint32_t>(slots[n]) != 0; }
    float floatArg(int n) const { return floatFromSlot(slots[n]); }
    const char* textArg(int n) const { return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(slots[n])); }
    template <typename T>
    T* pointerArg(int n) const {
        return reinterpret_cast<T*>(static_cast<std::uintptr_t>(slots[n]));
    }

    void returnInt(std::int32_t value) const { result[0] = static_cast<std::uint32_t>(value); }
    void returnBool(bool value) const { result[0] = value ? 1u : 0u; }
    void returnFloat(float value) const { result[0] = slotFromFloat(value); }
    void returnVector(const Vec3& value) const { returnVectorParts(value.x, value.y, value.z); }
    void returnVectorParts(float x, float y, float z) const {
        result[0] = slotFromFloat(x);
        result[1] = slotFromFloat(y);
        result[2] = slotFromFloat(z);
    }
};

using NativeHandler = void (*)(NativeContext&);

}  // namespace sim

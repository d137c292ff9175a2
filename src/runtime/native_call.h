// The call protocol: argument encoding into 64-bit slots, result decoding, and one generic invoker.
#pragma once

#include "runtime/types.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

// Integers, handles, hashes and booleans fill the low 32 bits with the upper half zero, so -1
// travels as 0x00000000FFFFFFFF.
inline std::uint64_t encodeArg(std::int32_t value) { return static_cast<std::uint32_t>(value); }
inline std::uint64_t encodeArg(std::uint32_t value) { return value; }
inline std::uint64_t encodeArg(bool value) { return value ? 1u : 0u; }

// Floats travel as their 32-bit pattern, upper half zero.
inline std::uint64_t encodeArg(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Text and out-parameters travel as pointers.
inline std::uint64_t encodeArg(const char* text) { return reinterpret_cast<std::uintptr_t>(text); }
template <typename T>
inline std::uint64_t encodeArg(T* pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

// The result block is read at once, before any further call can overwrite it.
inline std::int32_t decodeInt(const std::uint64_t* result) {
    std::int32_t value = 0;
    std::memcpy(&value, result, sizeof value);
    return value;
}
inline bool decodeLowByte(const std::uint64_t* result) {
    return (*reinterpret_cast<const std::uint8_t*>(result)) != 0;
}
inline float decodeFloat(const std::uint64_t* result) {
    float value = 0.0f;
    std::memcpy(&value, result, sizeof value);
    return value;
}
// A vector result is copied out whole: x, y and z each sit in their own 8-byte slot.
inline Vector3 decodeVector3(const std::uint64_t* result) {
    Vector3 value;
    std::memcpy(&value.x, &result[0], sizeof value.x);
    std::memcpy(&value.y, &result[1], sizeof value.y);
    std::memcpy(&value.z, &result[2], sizeof value.z);
    return value;
}

// The three steps of a host call; defined apart so that only one file sees the host seam.
void beginNative(NativeHash hash);
void pushSlot(std::uint64_t slot);
const std::uint64_t* finishNative();

// Starts a call, pushes every argument in declared order and performs it; the caller decodes.
template <typename... Args>
const std::uint64_t* callNative(NativeHash hash, Args... args) {
    beginNative(hash);
    (pushSlot(encodeArg(args)), ...);
    return finishNative();
}

// The call protocol: argument encoding into 64-bit slots, result decoding, and one generic invoker.
#pragma once

#include "runtime/types.h"

#include <bit>
#include <cstdint>
#include <type_traits>

// Integers, handles, hashes and booleans fill the low 32 bits with the upper half zero, so -1
// travels as 0x00000000FFFFFFFF.
inline std::uint64_t encodeArg(std::int32_t value) { return static_cast<std::uint32_t>(value); }
inline std::uint64_t encodeArg(std::uint32_t value) { return value; }
inline std::uint64_t encodeArg(bool value) { return value ? 1u : 0u; }

// Floats travel as their 32-bit pattern, upper half zero.
inline std::uint64_t encodeArg(float value) { return std::bit_cast<std::uint32_t>(value); }

// Text and out-parameters travel as pointers.
inline std::uint64_t encodeArg(const char* text) { return reinterpret_cast<std::uintptr_t>(text); }
template <typename T>
inline std::uint64_t encodeArg(T* pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

// The result block is read at once, before any further call can overwrite it.
// Ints and floats are the low 32 bits of a slot.
inline std::uint32_t lowWord(std::uint64_t slot) { return static_cast<std::uint32_t>(slot); }
inline std::int32_t decodeInt(const std::uint64_t* result) { return static_cast<std::int32_t>(lowWord(*result)); }
inline bool decodeLowByte(const std::uint64_t* result) { return (*reinterpret_cast<const std::uint8_t*>(result)) != 0; }
inline float decodeFloat(const std::uint64_t* result) { return std::bit_cast<float>(lowWord(*result)); }
// A vector result is copied out whole: x, y and z each sit in their own 8-byte slot.
inline Vector3 decodeVector3(const std::uint64_t* result) {
    return makeVector3(std::bit_cast<float>(lowWord(result[0])), std::bit_cast<float>(lowWord(result[1])),
                       std::bit_cast<float>(lowWord(result[2])));
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

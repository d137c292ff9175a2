// Handle, hash and vector types shared by the whole script, laid out as the host passes them.
#pragma once

#include <cstdint>

using NativeHash = std::uint64_t;
using Entity = std::int32_t;
using Ped = std::int32_t;
using Vehicle = std::int32_t;
using Player = std::int32_t;
using Hash = std::uint32_t;
using Tick = std::uint32_t;

// Three floats, each in an 8-byte slot, exactly as the host returns vector results.
struct Vector3 {
    float x = 0.0f;
    std::uint32_t padX = 0;
    float y = 0.0f;
    std::uint32_t padY = 0;
    float z = 0.0f;
    std::uint32_t padZ = 0;
};
static_assert(sizeof(Vector3) == 24, "Vector3 must match the host's 24-byte layout");

inline Vector3 makeVector3(float x, float y, float z) {
    Vector3 v;
    v.x = x;
    v.y = y;
    v.z = z;
    return v;
}

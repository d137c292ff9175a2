// The simulated host's own reading of a 64-bit argument or result slot: the low 32 bits carry an
// int or a float's bit pattern. Kept apart from the script's encoding so each checks the other.
#pragma once

#include <bit>
#include <cstdint>

namespace sim {

inline float floatFromSlot(std::uint64_t slot) { return std::bit_cast<float>(static_cast<std::uint32_t>(slot)); }
inline std::uint64_t slotFromFloat(float value) { return std::bit_cast<std::uint32_t>(value); }

}  // namespace sim

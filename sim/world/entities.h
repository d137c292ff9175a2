// The simulated game world's entities: the player, peds, vehicles and models.
#pragma once

#include "world/vec3.h"

#include <cstdint>

namespace sim {

struct Entities {
    void advance(std::uint32_t /*elapsedMs*/) {}
};

}  // namespace sim

// Everything the simulated host knows of the game: the screen and the entities.
#pragma once

#include "world/entities.h"
#include "world/screen.h"
#include "world/vec3.h"

#include <cstdint>

namespace sim {

struct World {
    Screen screen;
    Entities entities;

    // Called at the top of every frame, after the clock has moved on by `elapsedMs`.
    void beginFrame(std::uint64_t frame, std::uint32_t tick, std::uint32_t elapsedMs) {
        screen.beginFrame(frame);
        entities.frame = frame;
        entities.tick = tick;
        entities.advance(elapsedMs);
    }
};

}  // namespace sim

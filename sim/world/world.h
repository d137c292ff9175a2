// Everything the simulated host knows of the game: the screen, the entities, the game's controls
// and cutscenes.
#pragma once

#include "world/entities.h"
#include "world/screen.h"
#include "world/vec3.h"

#include <array>
#include <cstdint>
#include <vector>

namespace sim {

// The game's input controls as keys reach them: a control works while one of its default keys is
// held and no script disabled it this frame; the game enables every control again each frame.
struct Controls {
    static constexpr std::size_t capacity = 400;  // above every index of the game's table
    std::array<bool, capacity> disabled{};        // this frame
    std::array<std::uint64_t, capacity> framesWorked{};
    std::vector<std::int32_t> workedThisFrame;  // for observers, in index order

    void disable(std::int32_t control) {
        if (control >= 0 && static_cast<std::size_t>(control) < capacity)
            disabled[static_cast<std::size_t>(control)] = true;
    }
};

struct Cutscene {
    bool active = false;
    std::uint64_t started = 0;
    std::uint64_t skipped = 0;  // ended early by the skip control
};

struct World {
    Screen screen;
    Entities entities;
    Controls controls;
    Cutscene cutscene;
    // Frames in which a helicopter the player flies changed its pitch.
    std::uint64_t helicopterPitchFrames = 0;

    // Called at the top of every frame, after the clock has moved on by `elapsedMs`.
    void beginFrame(std::uint64_t frame, std::uint32_t tick, std::uint32_t elapsedMs) {
        screen.beginFrame(frame);
        entities.frame = frame;
        entities.tick = tick;
        entities.advance(elapsedMs);
    }

    // Called after the script's turn in the frame, with the keys held (none while another window
    // has the focus): the controls they work act, lasting tasks go on, and the controls are enabled
    // again for the next frame.
    void endFrame(const std::array<bool, 256>& keys, bool focused, std::uint32_t elapsedMs);

    void startCutscene();
    void endCutscene();

    static constexpr float pitchPerSecond = 30.0f;

private:
    void workControl(std::int32_t control, std::uint32_t elapsedMs);
    void pitchPlayerHelicopter(float degrees);
};

}  // namespace sim

// Crew spawning: the chosen vehicle ahead of the player with the armed gunner in its gun seat.
#pragma once

#include <cstdint>

// The gunner's passenger setting in the player's group: given at the spawn and again on every
// pass that aims where the camera points.
inline constexpr std::int32_t passengerSetting = 6;

// Builds the crew for the menu's current selection, replacing any previous crew.
void spawnCrew();

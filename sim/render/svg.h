// A picture of one simulated screen frame as SVG, for looking at what the script drew.
#pragma once

#include "world/screen.h"

#include <cstdint>
#include <string>

namespace sim {

// The frame's boxes and captions at a screen of width × height pixels, over a neutral backdrop.
// Boxes lie beneath all text, as the game layers them; text follows the screen's layout model
// (see world/screen.h) in a monospace face whose advance matches it, with its drop shadow and edge.
std::string renderScreenSvg(const ScreenFrame& frame, std::int32_t width, std::int32_t height);

}  // namespace sim

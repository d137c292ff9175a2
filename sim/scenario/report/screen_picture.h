// A picture of one frame's screen overlay as an SVG element.
#pragma once

#include <cstdint>
#include <string>

#include "world/screen.h"

namespace scenario {

std::string screenPicture(const sim::ScreenFrame& frame, std::int32_t width, std::int32_t height);

}  // namespace scenario

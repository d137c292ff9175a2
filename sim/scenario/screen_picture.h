// A picture of one frame's screen overlay as an SVG element.
#pragma once

#include "world/screen.h"

#include <cstdint>
#include <string>

namespace scenario {

std::string screenPicture(const sim::ScreenFrame& frame, std::int32_t width, std::int32_t height);

}  // namespace scenario

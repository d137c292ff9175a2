// Screen pictures for the report, drawn by the simulated screen's own SVG renderer.
#include "scenario/screen_picture.h"

#include "render/svg.h"

namespace scenario {

std::string screenPicture(const sim::ScreenFrame& frame, std::int32_t width, std::int32_t height) {
    return sim::renderScreenSvg(frame, width, height);
}

}  // namespace scenario

// Screen pictures for the report, drawn by the simulated screen's own SVG renderer.
#include "scenario/report/screen_picture.h"

#include "render/svg.h"

namespace scenario {

std::string screenPicture(const sim::ScreenFrame& frame, std::int32_t width, std::int32_t height) {
    // The renderer writes a standalone document; inside HTML only the <svg> element belongs.
    std::string svg = sim::renderScreenSvg(frame, width, height);
    const auto start = svg.find("<svg");
    if (start != std::string::npos) svg.erase(0, start);
    return svg;
}

}  // namespace scenario

// Screen pictures: the simulated screen's own SVG renderer when it is built in, else a plain one.
#include "scenario/screen_picture.h"

#if __has_include("render/svg.h")
#include "render/svg.h"
#define TG_HAVE_SCREEN_RENDERER 1
#else
#include "scenario/report.h"

#include <cstdio>
#endif

namespace scenario {

#if defined(TG_HAVE_SCREEN_RENDERER)

std::string screenPicture(const sim::ScreenFrame& frame, std::int32_t width, std::int32_t height) {
    return sim::renderScreenSvg(frame, width, height);
}

#else

// TODO: remove once the simulated screen's SVG renderer (render/svg.h) is merged; it replaces this.
namespace {

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

std::string rgba(const sim::Rgba& colour) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "rgba(%d,%d,%d,%.3f)", colour.r, colour.g, colour.b, colour.a / 255.0);
    return buffer;
}

}  // namespace

std::string screenPicture(const sim::ScreenFrame& frame, std::int32_t width, std::int32_t height) {
    const double w = width;
    const double h = height;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + std::to_string(width) + " " +
                      std::to_string(height) + "\" class=\"screen\" role=\"img\">";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#3d5361\"/>";
    for (const auto& rect : frame.rects) {
        svg += "<rect x=\"" + number((rect.centreX - rect.width / 2) * w) + "\" y=\"" +
               number((rect.centreY - rect.height / 2) * h) + "\" width=\"" + number(rect.width * w) + "\" height=\"" +
               number(rect.height * h) + "\" fill=\"" + rgba(rect.colour) + "\"/>";
    }
    for (const auto& text : frame.texts) {
        const double size = text.style.scale * 0.06 * h;
        svg += "<text x=\"" + number(text.x * w) + "\" y=\"" + number(text.y * h + size) + "\" font-size=\"" +
               number(size) + "\" font-family=\"sans-serif\" fill=\"" + rgba(text.style.colour) + "\"" +
               (text.style.centre ? " text-anchor=\"middle\"" : "") + ">" + escapeHtml(text.caption) + "</text>";
    }
    svg += "</svg>";
    return svg;
}

#endif

}  // namespace scenario

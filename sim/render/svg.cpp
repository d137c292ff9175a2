// SVG picture of a screen frame: backdrop, boxes, then captions laid out by the screen's model.
#include "render/svg.h"

#include <cstdio>
#include <sstream>

namespace sim {
namespace {

// Advance of one character of the monospace face, in ems (DejaVu Sans Mono and its kin).
constexpr double monospaceAdvanceEm = 0.602;
// Where the baseline sits within a line, as a fraction of the line height from its top.
constexpr double baselineInLine = 0.78;
constexpr const char* fontFamily = "DejaVu Sans Mono, Liberation Mono, monospace";

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

std::string colourOf(const Rgba& colour) {
    return "rgb(" + std::to_string(colour.r) + "," + std::to_string(colour.g) + "," + std::to_string(colour.b) + ")";
}

std::string opacityOf(const Rgba& colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.3f", static_cast<double>(colour.a) / 255.0);
    return buffer;
}

std::string escapeXml(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void writeBackdrop(std::ostream& out, std::int32_t width, std::int32_t height) {
    out << "<defs><linearGradient id=\"backdrop\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
        << "<stop offset=\"0\" stop-color=\"#8e9ba7\"/><stop offset=\"1\" stop-color=\"#5d675f\"/>"
        << "</linearGradient></defs>\n";
    out << "<rect x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height << "\" fill=\"url(#backdrop)\"/>\n";
}

void writeRect(std::ostream& out, const DrawnRect& rect, std::int32_t width, std::int32_t height) {
    const double left = (static_cast<double>(rect.centreX) - rect.width / 2.0) * width;
    const double top = (static_cast<double>(rect.centreY) - rect.height / 2.0) * height;
    out << "<rect x=\"" << number(left) << "\" y=\"" << number(top) << "\" width=\""
        << number(static_cast<double>(rect.width) * width) << "\" height=\""
        << number(static_cast<double>(rect.height) * height) << "\" fill=\"" << colourOf(rect.colour)
        << "\" fill-opacity=\"" << opacityOf(rect.colour) << "\"/>\n";
}

// One line of a caption; `paint` holds the fill and, for the text itself, the edge stroke.
void writeLine(std::ostream& out, const std::string& line, double x, double baseline, const std::string& paint) {
    out << "<text x=\"" << number(x) << "\" y=\"" << number(baseline) << "\"" << paint << ">" << escapeXml(line)
        << "</text>\n";
}

void writeText(std::ostream& out, const DrawnText& text, std::int32_t width, std::int32_t height) {
    const TextStyle& style = text.style;
    const double lineHeight = static_cast<double>(textLineHeight(style.scale)) * height;
    const double fontSize = glyphAdvancePixels(style.scale, height) / monospaceAdvanceEm;
    const double x = static_cast<double>(text.x) * width;
    const double top = static_cast<double>(text.y) * height;

    out << "<g font-family=\"" << fontFamily << "\" font-size=\"" << number(fontSize) << "\" text-anchor=\""
        << (style.centre ? "middle" : "start") << "\" xml:space=\"preserve\">\n";
    std::string paint = " fill=\"" + colourOf(style.colour) + "\" fill-opacity=\"" + opacityOf(style.colour) + "\"";
    if (style.edge > 0) {
        paint += " stroke=\"" + colourOf(style.edgeColour) + "\" stroke-opacity=\"" + opacityOf(style.edgeColour) +
                 "\" stroke-width=\"" + number(2.0 * style.edge) +
                 "\" stroke-linejoin=\"round\" paint-order=\"stroke\"";
    }
    const std::string shadowPaint =
        " fill=\"" + colourOf(style.dropShadow) + "\" fill-opacity=\"" + opacityOf(style.dropShadow) + "\"";
    const double shadow = style.dropShadowDistance;

    const std::vector<std::string> lines = layoutText(text.caption, text.x, style, width, height);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double baseline = top + lineHeight * (static_cast<double>(i) + baselineInLine);
        if (shadow > 0.0) writeLine(out, lines[i], x + shadow, baseline + shadow, shadowPaint);
        writeLine(out, lines[i], x, baseline, paint);
    }
    out << "</g>\n";
}

}  // namespace

std::string renderScreenSvg(const ScreenFrame& frame, std::int32_t width, std::int32_t height) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << " " << height << "\">\n";
    out << "<!-- simulated screen, frame " << frame.frame << " -->\n";
    writeBackdrop(out, width, height);
    for (const DrawnRect& rect : frame.rects) writeRect(out, rect, width, height);
    for (const DrawnText& text : frame.texts) writeText(out, text, width, height);
    out << "</svg>\n";
    return out.str();
}

}  // namespace sim

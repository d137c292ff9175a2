// The report's top-down map.
#include <algorithm>
#include <cmath>

#include "scenario/report/report.h"
#include "scenario/report/report_parts.h"

namespace scenario {

std::string num(double value, int decimals) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

namespace {

// The world area the map shows, with a margin; y grows northwards, so it is flipped for SVG.
struct Bounds {
    double minX = 1e30, minY = 1e30, maxX = -1e30, maxY = -1e30;
    void add(sim::Vec3 p) {
        minX = std::min(minX, static_cast<double>(p.x));
        maxX = std::max(maxX, static_cast<double>(p.x));
        minY = std::min(minY, static_cast<double>(p.y));
        maxY = std::max(maxY, static_cast<double>(p.y));
    }
    void finish() {
        if (minX > maxX) minX = maxX = minY = maxY = 0.0;
        const double span = std::max({maxX - minX, maxY - minY, 20.0});
        const double cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
        // A wide margin leaves room for the labels beside the outermost peds.
        minX = cx - span * 0.7;
        maxX = cx + span * 0.7;
        minY = cy - span * 0.7;
        maxY = cy + span * 0.7;
    }
    double size() const { return maxX - minX; }
};

std::string xy(sim::Vec3 p) { return num(p.x, 2) + "," + num(-p.y, 2); }

std::string polyline(const std::vector<std::optional<sim::Vec3>>& points, const std::string& cls) {
    std::string svg;
    std::string current;
    auto flush = [&] {
        if (!current.empty()) svg += "<polyline class=\"" + cls + "\" points=\"" + current + "\"/>";
        current.clear();
    };
    for (const auto& point : points) {
        if (!point) {
            flush();
            continue;
        }
        current += (current.empty() ? "" : " ") + xy(*point);
    }
    flush();
    return svg;
}

struct MapLabel {
    sim::Vec3 at;
    std::string text;
    std::string cls;
};

// A round step (1, 2 or 5 times a power of ten) that splits `span` metres into about five.
double gridStep(double span) {
    const double rough = span / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) return factor * power;
    }
    return 10.0 * power;
}

// Lines every round number of metres, their values along the left and bottom edges, and a scale bar.
std::string mapGrid(const Bounds& bounds, double unit) {
    const double step = gridStep(bounds.size());
    const std::string font = num(unit * 9, 3);
    std::string svg = "<g class=\"grid\" id=\"map-grid\">";
    for (double x = std::ceil(bounds.minX / step) * step; x <= bounds.maxX; x += step) {
        svg += "<line x1=\"" + num(x, 2) + "\" x2=\"" + num(x, 2) + "\" y1=\"" + num(-bounds.maxY, 2) + "\" y2=\"" +
               num(-bounds.minY, 2) + "\"/>";
        // Along the top edge, clear of the scale bar; none where it would run off the right edge.
        if (x > bounds.maxX - unit * 40) continue;
        svg += "<text class=\"axis\" x=\"" + num(x + unit * 2, 2) + "\" y=\"" + num(-bounds.maxY + unit * 11, 2) +
               "\" font-size=\"" + font + "\">x " + num(std::round(x) + 0.0, 0) + " m</text>";
    }
    for (double y = std::ceil(bounds.minY / step) * step; y <= bounds.maxY; y += step) {
        svg += "<line x1=\"" + num(bounds.minX, 2) + "\" x2=\"" + num(bounds.maxX, 2) + "\" y1=\"" + num(-y, 2) +
               "\" y2=\"" + num(-y, 2) + "\"/><text class=\"axis\" x=\"" + num(bounds.minX + unit * 3, 2) + "\" y=\"" +
               num(-y - unit * 2, 2) + "\" font-size=\"" + font + "\">y " + num(std::round(y) + 0.0, 0) + " m</text>";
    }
    const double barX = bounds.maxX - step - unit * 10, barY = -bounds.minY - unit * 12;
    svg += "</g><g class=\"scale\" id=\"map-scale\"><rect x=\"" + num(barX, 2) + "\" y=\"" + num(barY, 2) +
           "\" width=\"" + num(step, 2) + "\" height=\"" + num(unit * 2.5, 3) + "\"/><text x=\"" +
           num(barX + step / 2, 2) + "\" y=\"" + num(barY - unit * 2, 2) + "\" font-size=\"" + num(unit * 10, 3) +
           "\" text-anchor=\"middle\">" + num(step, 0) + " m</text></g>";
    return svg;
}

// "in water" for "the crew vehicle is in water": the map has little room, the table has the rest.
std::string shortReason(const std::string& reason) {
    const std::string prefix = "the crew vehicle is ";
    return reason.starts_with(prefix) ? reason.substr(prefix.size()) : reason;
}

// Each crew where it came and, when given up, a cross where that happened with the reason.
std::string crewMarks(const RunResult& result, double unit, std::vector<MapLabel>& labels) {
    std::string svg = "<g id=\"crew-marks\">";
    for (std::size_t i = 0; i < result.crews.size(); ++i) {
        const CrewRecord& crew = result.crews[i];
        const std::string number = std::to_string(i + 1);
        svg += "<rect class=\"crew-spawn\" x=\"" + num(crew.spawnedAt.x - unit * 5, 2) + "\" y=\"" +
               num(-crew.spawnedAt.y - unit * 5, 2) + "\" width=\"" + num(unit * 10, 3) + "\" height=\"" +
               num(unit * 10, 3) + "\"><title>crew " + number + " (" + escapeHtml(crew.vehicle) + ") spawned here at " +
               num(crew.spawnedMs / 1000.0) + " s</title></rect>";
        if (!crew.givenUpAt) {
            labels.push_back(MapLabel{crew.spawnedAt, "crew " + number + " spawned", "label crew-label"});
            continue;
        }
        const sim::Vec3 p = *crew.givenUpAt;
        const double r = unit * 6;
        svg += "<path class=\"crew-given-up\" d=\"M" + num(p.x - r, 2) + "," + num(-p.y - r, 2) + "L" +
               num(p.x + r, 2) + "," + num(-p.y + r, 2) + "M" + num(p.x - r, 2) + "," + num(-p.y + r, 2) + "L" +
               num(p.x + r, 2) + "," + num(-p.y - r, 2) + "\"><title>crew " + number + " given up at " +
               num(*crew.givenUpMs / 1000.0) + " s: " + escapeHtml(crew.reason) + "</title></path>";
        labels.push_back(MapLabel{p, "crew " + number + " given up: " + shortReason(crew.reason), "label crew-label"});
    }
    return svg + "</g>";
}

// Labels sorted from north to south, each moved down until its box (its width estimated from
// its length) meets no label placed before it.
std::string placeLabels(std::vector<MapLabel> labels, const Bounds& bounds, double unit) {
    std::sort(labels.begin(), labels.end(), [](const MapLabel& a, const MapLabel& b) { return a.at.y > b.at.y; });
    const double fontSize = unit * 10;
    struct Box {
        double left, right, top, bottom;
    };
    std::vector<Box> placed;
    std::string svg = "<g id=\"map-labels\">";
    for (const auto& label : labels) {
        const bool rightHalf = label.at.x > (bounds.minX + bounds.maxX) / 2;
        const double x = label.at.x + unit * (rightHalf ? -6 : 6);
        const double width = static_cast<double>(label.text.size()) * fontSize * 0.6;
        Box box{rightHalf ? x - width : x, rightHalf ? x : x + width, 0, 0};
        double y = -label.at.y - unit * 4;
        // Each move goes down past the bottom of a box already placed, so this ends.
        for (bool moved = true; moved;) {
            moved = false;
            for (const Box& other : placed) {
                box.top = y - fontSize;
                box.bottom = y + fontSize * 0.3;
                if (box.left < other.right && other.left < box.right && box.top < other.bottom &&
                    other.top < box.bottom) {
                    y = other.bottom + fontSize * 1.1;  // a small gap, beyond rounding
                    moved = true;
                }
            }
        }
        box.top = y - fontSize;
        box.bottom = y + fontSize * 0.3;
        placed.push_back(box);
        svg += "<text class=\"" + label.cls + "\" x=\"" + num(x, 2) + "\" y=\"" + num(y, 2) + "\" font-size=\"" +
               num(fontSize, 3) + "\"" + (rightHalf ? " text-anchor=\"end\"" : "") + ">" + escapeHtml(label.text) +
               "</text>";
    }
    return svg + "</g>";
}

}  // namespace

std::string mapSvg(const RunResult& result) {
    Bounds bounds;
    for (const auto& sample : result.samples) {
        bounds.add(sample.player);
        if (sample.crewVehicle) bounds.add(*sample.crewVehicle);
        if (sample.gunner) bounds.add(*sample.gunner);
        for (const auto& ped : sample.peds) {
            if (ped) bounds.add(*ped);
        }
    }
    bounds.finish();
    const double unit = bounds.size() / 300.0;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"map\" viewBox=\"" + num(bounds.minX, 2) + " " +
                      num(-bounds.maxY, 2) + " " + num(bounds.size(), 2) + " " + num(bounds.size(), 2) +
                      "\" style=\"--u:" + num(unit, 4) + "\" role=\"img\">";
    svg += "<rect class=\"ground\" x=\"" + num(bounds.minX, 2) + "\" y=\"" + num(-bounds.maxY, 2) + "\" width=\"" +
           num(bounds.size(), 2) + "\" height=\"" + num(bounds.size(), 2) + "\"/>";

    svg += mapGrid(bounds, unit);

    std::vector<std::optional<sim::Vec3>> player, crew, gunner;
    for (const auto& sample : result.samples) {
        player.emplace_back(sample.player);
        crew.push_back(sample.crewVehicle);
        gunner.push_back(sample.gunner);
    }
    for (std::size_t p = 0; p < result.pedNames.size(); ++p) {
        std::vector<std::optional<sim::Vec3>> path;
        for (const auto& sample : result.samples)
            path.push_back(p < sample.peds.size() ? sample.peds[p] : std::nullopt);
        svg += polyline(path, "path ped");
    }
    svg += polyline(crew, "path crew") + polyline(gunner, "path gunner") + polyline(player, "path player");

    const std::size_t stride = std::max<std::size_t>(1, result.shots.size() / 2000);
    for (std::size_t i = 0; i < result.shots.size(); i += stride) {
        const auto& shot = result.shots[i];
        svg += "<circle class=\"shot\" cx=\"" + num(shot.point.x, 2) + "\" cy=\"" + num(-shot.point.y, 2) + "\" r=\"" +
               num(unit * 1.2, 3) + "\"><title>shot order at " + num(shot.ms / 1000.0) + " s</title></circle>";
    }
    std::vector<MapLabel> labels;
    if (!result.samples.empty()) {
        const Sample& last = result.samples.back();
        for (std::size_t p = 0; p < result.pedNames.size() && p < last.peds.size(); ++p) {
            const std::string& name = result.pedNames[p];
            const bool targeted =
                std::find(result.targetNames.begin(), result.targetNames.end(), name) != result.targetNames.end();
            std::optional<sim::Vec3> where = last.peds[p];
            for (auto it = result.samples.rbegin(); !where && it != result.samples.rend(); ++it) {
                if (p < it->peds.size()) where = it->peds[p];
            }
            if (!where) continue;
            if (targeted) {
                svg += "<circle class=\"target\" cx=\"" + num(where->x, 2) + "\" cy=\"" + num(-where->y, 2) +
                       "\" r=\"" + num(unit * 7, 3) + "\"/>";
            }
            labels.push_back(MapLabel{*where, name + (last.pedsDown[p] ? " (down)" : ""), "label"});
        }
    }
    svg += crewMarks(result, unit, labels);
    svg += placeLabels(labels, bounds, unit);
    // Where the crew vehicle ended up, drawn for good; the markers below follow the slider.
    for (auto it = result.samples.rbegin(); it != result.samples.rend(); ++it) {
        if (!it->crewVehicle) continue;
        svg += "<rect class=\"crew-end\" x=\"" + num(it->crewVehicle->x - unit * 6, 2) + "\" y=\"" +
               num(-it->crewVehicle->y - unit * 6, 2) + "\" width=\"" + num(unit * 12, 3) + "\" height=\"" +
               num(unit * 12, 3) + "\"><title>the crew vehicle at the end</title></rect>";
        break;
    }
    // Markers the page's script moves with the time slider.
    svg += "<g id=\"markers\">";
    svg += "<circle class=\"marker player\" id=\"m-player\" r=\"" + num(unit * 4, 3) + "\"/>";
    svg += "<rect class=\"marker crew\" id=\"m-crew\" width=\"" + num(unit * 9, 3) + "\" height=\"" + num(unit * 9, 3) +
           "\"/>";
    svg += "<circle class=\"marker gunner\" id=\"m-gunner\" r=\"" + num(unit * 3, 3) + "\"/>";
    for (std::size_t p = 0; p < result.pedNames.size(); ++p) {
        svg += "<circle class=\"marker ped\" id=\"m-ped-" + std::to_string(p) + "\" r=\"" + num(unit * 3, 3) + "\"/>";
    }
    svg += "</g></svg>";
    return svg;
}

}  // namespace scenario

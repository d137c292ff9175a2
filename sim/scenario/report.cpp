// The HTML report: summary, expectations, map, charts, screen pictures and the narrated timeline.
#include "scenario/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "scenario/console.h"
#include "scenario/report_assets.h"
#include "scenario/screen_picture.h"

namespace scenario {

std::string escapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

namespace {

std::string num(double value, int decimals = 1) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string secondsText(std::uint32_t ms) { return num(ms / 1000.0, 1) + " s"; }

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

std::string summaryTable(const RunResult& result) {
    std::size_t met = 0;
    for (const auto& check : result.checks) met += check.passed ? 1 : 0;
    auto row = [](const std::string& name, const std::string& value) {
        return "<tr><th>" + escapeHtml(name) + "</th><td>" + escapeHtml(value) + "</td></tr>";
    };
    std::string html = "<table class=\"summary\">";
    html += row("simulated time", num(result.simulatedMs / 1000.0, 3) + " s");
    html += row("frames", std::to_string(result.frames));
    html += row("native calls", std::to_string(result.nativeCalls));
    html += row("shot orders", std::to_string(result.shotOrders));
    html += row("wanted level", std::to_string(result.wantedLevel) + " (the script last set " +
                                    std::to_string(result.scriptWantedLevel) + ")");
    html += row("attack mode", std::to_string(result.attackMode));
    html += row("crew", result.crewState);
    html += row("expectations", std::to_string(met) + " of " + std::to_string(result.checks.size()) + " met");
    html += row("simulation speed", num(result.framesPerSecond, 0) + " frames per second");
    for (const auto& error : result.hostErrors) html += row("host protocol error", error);
    return html + "</table>";
}

std::string checksTable(const RunResult& result) {
    if (result.checks.empty()) return "<p>This scenario has no expectations.</p>";
    std::string html = "<table class=\"checks\"><tr><th>where</th><th>when</th><th>expected</th><th>found</th></tr>";
    for (const auto& check : result.checks) {
        html += std::string("<tr class=\"") + (check.passed ? "pass" : "fail") + "\"><td>" +
                escapeHtml(describe(check.check.origin)) + "</td><td>" + secondsText(check.checkedAtMs) + "</td><td>" +
                escapeHtml(check.expected) + "</td><td>" + escapeHtml(check.actual) + "</td></tr>";
    }
    return html + "</table>";
}

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
               num(unit * 1.2, 3) + "\"><title>shot order at " + secondsText(shot.ms) + "</title></circle>";
    }
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
            const bool rightHalf = where->x > (bounds.minX + bounds.maxX) / 2;
            svg += "<text class=\"label\" x=\"" + num(where->x + unit * (rightHalf ? -6 : 6), 2) + "\" y=\"" +
                   num(-where->y - unit * 4, 2) + "\" font-size=\"" + num(unit * 10, 3) + "\"" +
                   (rightHalf ? " text-anchor=\"end\"" : "") + ">" + escapeHtml(name) +
                   (last.pedsDown[p] ? " (down)" : "") + "</text>";
        }
    }
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

std::string chartSvg(const RunResult& result) {
    constexpr double width = 800, height = 220, left = 40, right = 60, top = 10, bottom = 30;
    const double plotW = width - left - right, plotH = height - top - bottom;
    const double endMs = std::max(1.0, static_cast<double>(result.simulatedMs));
    std::int64_t maxShots = 1;
    for (const auto& sample : result.samples) maxShots = std::max(maxShots, sample.shotOrders);
    auto xAt = [&](std::uint32_t ms) { return left + plotW * ms / endMs; };
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" viewBox=\"0 0 " + num(width, 0) + " " +
                      num(height, 0) + "\" role=\"img\">";
    for (int level = 0; level <= 6; ++level) {
        const double y = top + plotH - plotH * level / 6.0;
        svg += "<line class=\"grid\" x1=\"" + num(left) + "\" x2=\"" + num(left + plotW) + "\" y1=\"" + num(y) +
               "\" y2=\"" + num(y) + "\"/><text class=\"axis\" x=\"" + num(left - 8) + "\" y=\"" + num(y + 4) +
               "\" text-anchor=\"end\">" + std::to_string(level) + "</text>";
    }
    svg += "<text class=\"axis\" x=\"" + num(left + plotW + 8) + "\" y=\"" + num(top + 8) + "\">" +
           std::to_string(maxShots) + "</text>";
    svg += "<text class=\"axis\" x=\"" + num(left) + "\" y=\"" + num(height - 8) + "\">0 s</text>";
    svg += "<text class=\"axis\" x=\"" + num(left + plotW) + "\" y=\"" + num(height - 8) + "\" text-anchor=\"end\">" +
           secondsText(result.simulatedMs) + "</text>";
    std::string wanted, shots;
    std::int32_t lastLevel = -1;
    for (const auto& sample : result.samples) {
        const double x = xAt(sample.ms);
        const double wy = top + plotH - plotH * sample.wantedLevel / 6.0;
        if (lastLevel >= 0 && sample.wantedLevel != lastLevel) {
            wanted += " " + num(x) + "," + num(top + plotH - plotH * lastLevel / 6.0);
        }
        wanted += (wanted.empty() ? "" : " ") + num(x) + "," + num(wy);
        lastLevel = sample.wantedLevel;
        shots += (shots.empty() ? "" : " ") + num(x) + "," +
                 num(top + plotH - plotH * static_cast<double>(sample.shotOrders) / static_cast<double>(maxShots));
    }
    svg += "<polyline class=\"shots\" points=\"" + shots + "\"/><polyline class=\"wanted\" points=\"" + wanted + "\"/>";
    svg += "<line id=\"chart-cursor\" class=\"cursor\" x1=\"" + num(left) + "\" x2=\"" + num(left) + "\" y1=\"" +
           num(top) + "\" y2=\"" + num(top + plotH) + "\"/>";
    return svg + "</svg>";
}

std::string screensHtml(const RunResult& result) {
    std::string html;
    for (const auto& shot : result.screens) {
        html += "<figure data-ms=\"" + std::to_string(shot.ms) + "\">" +
                screenPicture(shot.screen, result.screenWidth, result.screenHeight) + "<figcaption>" +
                secondsText(shot.ms) + " — " + escapeHtml(shot.why) + "</figcaption></figure>";
    }
    return html;
}

std::string timelineHtml(const RunResult& result) {
    std::string html = "<ol id=\"events\">";
    for (const auto& line : result.narration) {
        const bool failed = line.kind == "check" && line.text.starts_with("FAILED");
        html += "<li data-kind=\"" + escapeHtml(line.kind) + "\" data-ms=\"" + std::to_string(line.ms) + "\"" +
                (failed ? " class=\"failed\"" : "") + "><time>" + num(line.ms / 1000.0, 3) +
                " s</time><span class=\"kind\">" + escapeHtml(line.kind) + "</span> " + escapeHtml(line.text) + "</li>";
    }
    return html + "</ol>";
}

// Positions over time for the slider, as JSON: [ms, [px,py], [cx,cy]|null, [gx,gy]|null, [[x,y]|null...]].
std::string samplesJson(const RunResult& result) {
    auto pointJson = [](const std::optional<sim::Vec3>& p) {
        return p ? "[" + num(p->x, 2) + "," + num(-p->y, 2) + "]" : std::string("null");
    };
    std::string json = "[";
    for (std::size_t i = 0; i < result.samples.size(); ++i) {
        const Sample& s = result.samples[i];
        json += (i ? "," : "") + std::string("[") + std::to_string(s.ms) + "," + pointJson(s.player) + "," +
                pointJson(s.crewVehicle) + "," + pointJson(s.gunner) + ",[";
        for (std::size_t p = 0; p < s.peds.size(); ++p) json += (p ? "," : "") + pointJson(s.peds[p]);
        json += "]]";
    }
    return json + "]";
}

}  // namespace

std::string renderReport(const Scenario& scenario, const RunResult& result) {
    const bool passed = result.passed();
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<title>gunner-sim: " +
        escapeHtml(scenario.name) + "</title><style>" + reportStyle() + "</style></head><body>";
    html += "<header><h1>" + escapeHtml(scenario.name) + "</h1><p class=\"verdict " +
            (passed ? "pass\">PASSED" : "fail\">FAILED") + "</p><p class=\"file\">" + escapeHtml(scenario.file) +
            "</p>";
    if (!scenario.description.empty()) html += "<p>" + escapeHtml(scenario.description) + "</p>";
    html += "</header><main>";
    html += "<section id=\"summary\"><h2>Summary</h2>" + summaryTable(result) + "</section>";
    html += "<section id=\"checks\"><h2>Expectations</h2>" + checksTable(result) + "</section>";
    if (!result.log.empty()) {
        html += "<section id=\"log\"><h2>TobekGunner.log</h2><pre>" + escapeHtml(result.log) + "</pre></section>";
    }
    html += "<section id=\"map-section\"><h2>Map</h2><div class=\"map-box\">" + mapSvg(result) +
            "<div class=\"legend\"><span class=\"player\">player</span><span class=\"crew\">crew vehicle</span>"
            "<span class=\"gunner\">gunner</span><span class=\"ped\">peds</span><span class=\"target\">chosen "
            "targets</span>"
            "<span class=\"shot\">shot points</span></div></div>"
            "<label class=\"slider\">time <input type=\"range\" id=\"time\" min=\"0\" max=\"" +
            std::to_string(result.samples.empty() ? 0 : result.samples.size() - 1) + "\" value=\"" +
            std::to_string(result.samples.empty() ? 0 : result.samples.size() - 1) +
            "\"> <output id=\"time-out\">0.0 s</output></label></section>";
    html += "<section id=\"chart-section\"><h2>Wanted level and shot orders</h2>" + chartSvg(result) +
            "<p class=\"legend\"><span class=\"wanted\">wanted level (0 to 6)</span><span class=\"shots\">shot orders "
            "so far</span></p></section>";
    html +=
        "<section id=\"screens\"><h2>Screens</h2><div class=\"shots-grid\">" + screensHtml(result) + "</div></section>";
    html +=
        "<section id=\"timeline\"><h2>Timeline</h2><p><input type=\"search\" id=\"filter\" placeholder=\"filter the "
        "timeline\"></p>" +
        timelineHtml(result) + "</section>";
    html += "</main><footer id=\"page-status\" data-state=\"loading\">the page's script has not run</footer>";
    html += "<script type=\"application/json\" id=\"samples\">" + samplesJson(result) + "</script>";
    html += "<script>" + reportScript() + "</script></body></html>\n";
    return html;
}

}  // namespace scenario

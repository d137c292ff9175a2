// The HTML report: summary, expectations, map, charts, screen pictures and the narrated timeline.
#include "scenario/report/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "scenario/format/clean_text.h"
#include "scenario/report/report_assets.h"
#include "scenario/report/report_parts.h"
#include "scenario/report/screen_picture.h"

namespace scenario {

std::string escapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : cleanText(text)) {
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

std::string secondsText(std::uint64_t ms) { return num(ms / 1000.0, 1) + " s"; }

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
    html += row("shot orders", std::to_string(result.shotOrders) + " (the script's)");
    html += row("rounds fired", std::to_string(result.roundsFired) + " (the world's; " +
                                    std::to_string(result.roundsWithoutOrder) + " by a shoot task lasting on)");
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
    // Up to a limit of each outcome: a page of hundreds of thousands of rows would not open.
    constexpr std::size_t maxRows = 2000;
    std::size_t passedRows = 0;
    std::size_t failedRows = 0;
    std::string html = "<table class=\"checks\"><tr><th>where</th><th>when</th><th>expected</th><th>found</th></tr>";
    for (const auto& check : result.checks) {
        if (++(check.passed ? passedRows : failedRows) > maxRows) continue;
        html += std::string("<tr class=\"") + (check.passed ? "pass" : "fail") + "\"><td>" +
                escapeHtml(describe(check.check.origin)) + "</td><td>" + secondsText(check.checkedAtMs) + "</td><td>" +
                escapeHtml(check.expected) + "</td><td>" + escapeHtml(check.actual) + "</td></tr>";
    }
    html += "</table>";
    if (passedRows > maxRows || failedRows > maxRows) {
        html += "<p>The first " + std::to_string(maxRows) + " checks that held and that failed of " +
                std::to_string(result.checks.size()) + "; gunner-sim lists them all.</p>";
    }
    return html;
}

// A round axis top for `value` (1, 2 or 5 times a power of ten), at least 1.
std::int64_t axisTop(std::int64_t value) {
    std::int64_t power = 1;
    while (power * 10 <= value) power *= 10;
    for (const std::int64_t factor : {1, 2, 5, 10}) {
        if (factor * power >= value) return std::max<std::int64_t>(1, factor * power);
    }
    return 10 * power;
}

// The wanted level on the left axis (0 to 6) and the shot orders so far on the right one.
std::string chartSvg(const RunResult& result) {
    constexpr double width = 800, height = 240, left = 60, right = 70, top = 14, bottom = 36;
    const double plotW = width - left - right, plotH = height - top - bottom;
    const double endMs = std::max(1.0, static_cast<double>(result.simulatedMs));
    std::int64_t maxShots = 0;
    for (const auto& sample : result.samples) maxShots = std::max(maxShots, sample.shotOrders);
    const std::int64_t shotsTop = axisTop(maxShots);
    auto xAt = [&](std::uint64_t ms) { return left + plotW * ms / endMs; };
    auto text = [](double x, double y, const std::string& anchor, const std::string& cls, const std::string& body) {
        return "<text class=\"" + cls + "\" x=\"" + num(x) + "\" y=\"" + num(y) + "\" text-anchor=\"" + anchor + "\">" +
               body + "</text>";
    };
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" viewBox=\"0 0 " + num(width, 0) + " " +
                      num(height, 0) + "\" role=\"img\" data-left=\"" + num(left, 0) + "\" data-plot-width=\"" +
                      num(plotW, 0) + "\">";
    for (int level = 0; level <= 6; ++level) {
        const double y = top + plotH - plotH * level / 6.0;
        svg += "<line class=\"grid\" x1=\"" + num(left) + "\" x2=\"" + num(left + plotW) + "\" y1=\"" + num(y) +
               "\" y2=\"" + num(y) + "\"/>" + text(left - 8, y + 4, "end", "axis wanted-axis", std::to_string(level));
    }
    for (int part = 0; part <= 2; ++part) {
        const std::int64_t value = shotsTop * part / 2;
        if ((part == 1 && shotsTop < 2) || (part > 0 && maxShots == 0)) continue;
        svg += text(left + plotW + 8, top + plotH - plotH * part / 2.0 + 4, "start", "axis shots-axis",
                    std::to_string(value));
    }
    svg += text(14, top + plotH / 2, "middle", "axis-title wanted-axis", "wanted level")
               .insert(5, " transform=\"rotate(-90 14 " + num(top + plotH / 2) + ")\"");
    svg += text(width - 12, top + plotH / 2, "middle", "axis-title shots-axis", "shot orders")
               .insert(5, " transform=\"rotate(90 " + num(width - 12) + " " + num(top + plotH / 2) + ")\"");
    for (int part = 0; part <= 4; ++part) {
        const auto ms = static_cast<std::uint64_t>(endMs * part / 4);
        svg += text(xAt(ms), height - 18,
                    part == 0   ? "start"
                    : part == 4 ? "end"
                                : "middle",
                    "axis", num(ms / 1000.0) + " s");
    }
    svg += text(left + plotW / 2, height - 4, "middle", "axis-title", "game time");
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
                 num(top + plotH - plotH * static_cast<double>(sample.shotOrders) / static_cast<double>(shotsTop));
    }
    svg += "<polyline class=\"shots\" points=\"" + shots + "\"/><polyline class=\"wanted\" points=\"" + wanted + "\"/>";
    svg += "<line id=\"chart-cursor\" class=\"cursor\" x1=\"" + num(left) + "\" x2=\"" + num(left) + "\" y1=\"" +
           num(top) + "\" y2=\"" + num(top + plotH) + "\"/>";
    return svg + "</svg>";
}

std::string screensHtml(const RunResult& result) {
    std::string html;
    for (const auto& shot : result.screens) {
        html += "<figure data-ms=\"" + std::to_string(shot.ms) + "\" tabindex=\"0\" title=\"click to enlarge\">" +
                screenPicture(shot.screen, result.screenWidth, result.screenHeight) + "<figcaption>" +
                secondsText(shot.ms) + " — " + escapeHtml(shot.why) + "</figcaption></figure>";
    }
    return html;
}

// Positions over time for the slider, as JSON:
// [ms, [px,py], [cx,cy]|null, [gx,gy]|null, [[x,y]|null...], "sdg..." (each ped standing, down or gone)].
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
        json += "],\"";
        // Each ped's state: s standing, d down, g gone.
        for (std::size_t p = 0; p < s.peds.size(); ++p) json += !s.peds[p] ? 'g' : s.pedsDown[p] ? 'd' : 's';
        json += "\"]";
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
        escapeHtml(scenario.name) + "</title><style>" + std::string(reportStyle) + std::string(reportMapStyle) +
        "</style></head><body>";
    html += "<header><h1>" + escapeHtml(scenario.name) + "</h1><p class=\"verdict " +
            (passed ? "pass\">PASSED" : "fail\">FAILED") + "</p><p class=\"file\">" + escapeHtml(scenario.file) +
            "</p>";
    if (!scenario.description.empty()) html += "<p>" + escapeHtml(scenario.description) + "</p>";
    html += "</header><main>";
    html += "<section id=\"summary\"><h2>Summary</h2>" + summaryTable(result) + "</section>";
    html += "<section id=\"checks\"><h2>Expectations</h2>" + checksTable(result) + "</section>";
    html += "<section id=\"crews\"><h2>Crews</h2>" + crewTable(result) + "</section>";
    html += "<section id=\"peds\"><h2>Peds</h2>" + pedTable(result) + "</section>";
    if (!result.log.empty()) {
        html += "<section id=\"log\"><h2>TobekGunner.log</h2><pre>" + escapeHtml(result.log) + "</pre></section>";
    }
    html += "<section id=\"map-section\"><h2>Map</h2><div class=\"map-box\">" + mapSvg(result) +
            "<div class=\"legend\"><span class=\"player\">player</span><span class=\"crew\">crew vehicle</span>"
            "<span class=\"gunner\">gunner</span><span class=\"ped\">peds</span><span class=\"target\">chosen "
            "targets</span>"
            "<span class=\"shot\">shot points</span><span class=\"ped-down\">ped down</span>"
            "<span class=\"crew-spawn\">crew spawned</span><span class=\"crew-given-up\">crew given up</span>"
            "</div></div>"
            "<div class=\"player-controls\"><button type=\"button\" id=\"play\">▶ play</button> <label>speed "
            "<select id=\"speed\"><option value=\"1\">1×</option><option value=\"4\" selected>4×</option>"
            "<option value=\"16\">16×</option><option value=\"64\">64×</option></select></label></div>"
            "<label class=\"slider\">time <input type=\"range\" id=\"time\" min=\"0\" max=\"" +
            std::to_string(result.samples.empty() ? 0 : result.samples.size() - 1) + "\" value=\"" +
            std::to_string(result.samples.empty() ? 0 : result.samples.size() - 1) +
            "\"> <output id=\"time-out\">0.0 s</output></label></section>";
    html += "<section id=\"chart-section\"><h2>Wanted level and shot orders</h2>" + chartSvg(result) +
            "<p class=\"legend\"><span class=\"wanted\">wanted level (left axis, 0 to 6)</span><span "
            "class=\"shots\">shot orders so far (right axis)</span></p></section>";
    html +=
        "<section id=\"screens\"><h2>Screens</h2><div class=\"shots-grid\">" + screensHtml(result) + "</div></section>";
    html +=
        "<section id=\"timeline\"><h2>Timeline</h2><p><input type=\"search\" id=\"filter\" placeholder=\"filter the "
        "timeline\"></p>" +
        timelineHtml(result) + "</section>";
    html += "</main><footer id=\"page-status\" data-state=\"loading\">the page's script has not run</footer>";
    html += "<script type=\"application/json\" id=\"samples\">" + samplesJson(result) + "</script>";
    html += "<script>" + std::string(reportScript) + "</script></body></html>\n";
    return html;
}

}  // namespace scenario

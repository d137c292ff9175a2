// The report's tables and its timeline list.
#include <cstdio>

#include "scenario/narration/narration_text.h"
#include "scenario/report/report.h"
#include "scenario/report/report_parts.h"

namespace scenario {
namespace {

std::string secondsText(std::optional<std::uint64_t> ms) { return ms ? seconds(*ms) : "—"; }

// Seen from above: x and y only.
std::string mapPointText(std::optional<sim::Vec3> p) { return p ? format("(%.1f, %.1f)", p->x, p->y) : "—"; }

std::string cells(std::initializer_list<std::string> values) {
    std::string row = "<tr>";
    for (const auto& value : values) row += "<td>" + escapeHtml(value) + "</td>";
    return row + "</tr>";
}

std::string eventLine(const NarrationLine& line) {
    char time[32];
    std::snprintf(time, sizeof time, "%.3f s", static_cast<double>(line.ms) / 1000.0);
    const std::string kind(kindName(line.kind));
    return "<li data-kind=\"" + escapeHtml(kind) + "\" data-ms=\"" + std::to_string(line.ms) + "\"" +
           (line.failed ? " class=\"failed\"" : "") + "><time>" + time + "</time><span class=\"kind\">" +
           escapeHtml(kind) + "</span> " + escapeHtml(line.text) + "</li>";
}

}  // namespace

std::string pedTable(const RunResult& result) {
    if (result.peds.empty()) return "<p>This scenario has no peds.</p>";
    std::string html =
        "<table class=\"peds\" id=\"ped-table\"><tr><th>ped</th><th>shot orders aimed at it</th><th>down at</th>"
        "<th>gone at</th><th>at the end</th></tr>";
    for (const auto& ped : result.peds) {
        html += cells(
            {ped.name, std::to_string(ped.shotOrders), secondsText(ped.downMs), secondsText(ped.goneMs), ped.state});
    }
    return html + "</table>";
}

std::string crewTable(const RunResult& result) {
    if (result.crews.empty()) return "<p>No crew was spawned.</p>";
    std::string html =
        "<table class=\"crews\" id=\"crew-table\"><tr><th>#</th><th>vehicle</th><th>model</th><th>spawned at</th>"
        "<th>where</th><th>given up at</th><th>where</th><th>why</th></tr>";
    for (std::size_t i = 0; i < result.crews.size(); ++i) {
        const CrewRecord& crew = result.crews[i];
        html += cells({std::to_string(i + 1), crew.vehicle, crew.model, secondsText(crew.spawnedMs),
                       mapPointText(crew.spawnedAt), crew.givenUpMs ? secondsText(crew.givenUpMs) : "kept",
                       mapPointText(crew.givenUpAt), crew.givenUpMs ? crew.reason : "—"});
    }
    return html + "</table>";
}

std::string timelineHtml(const RunResult& result, std::size_t cap) {
    const auto& lines = result.narration;
    const std::size_t head = lines.size() > cap ? cap / 2 : lines.size();
    const std::size_t tailStart = lines.size() > cap ? lines.size() - (cap - head) : lines.size();
    std::string html = "<ol id=\"events\">";
    for (std::size_t i = 0; i < head; ++i) html += eventLine(lines[i]);
    if (tailStart > head) {
        html += "<li class=\"omitted\" id=\"omitted\" data-omitted=\"" + std::to_string(tailStart - head) + "\">… " +
                std::to_string(tailStart - head) + " timeline entries left out (" + std::to_string(lines.size()) +
                " in all; the --json output holds every one) …</li>";
    }
    for (std::size_t i = tailStart; i < lines.size(); ++i) html += eventLine(lines[i]);
    return html + "</ol>";
}

}  // namespace scenario

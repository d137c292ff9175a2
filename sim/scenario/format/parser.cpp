// The scenario parser: the top level, and reading a scenario file.
#include "scenario/format/parser.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "scenario/format/parse_support.h"
#include "scenario/format/prescreen.h"

namespace scenario {

namespace {

using parse::Names;
using parse::Reader;

// TOML puts every key after a [table] header into that table, so an `end` written below one is
// not the top-level key; the usual slip when it is added at the bottom of a file.
std::string endHint(const toml::table& root) {
    for (const auto& [key, node] : root) {
        const toml::table* table = node.as_table();
        if (table != nullptr && table->contains("end")) {
            return " (an `end` was found under [" + std::string(key.str()) +
                   "]: top-level keys go above the first [table] header)";
        }
        const toml::array* array = node.as_array();
        if (array == nullptr) continue;
        for (const auto& item : *array) {
            if (item.is_table() && item.as_table()->contains("end")) {
                return " (an `end` was found under [[" + std::string(key.str()) +
                       "]]: top-level keys go above the first [table] header)";
            }
        }
    }
    return std::string();
}

}  // namespace

Scenario parseScenario(std::string_view text, const std::string& file) {
    prescreenScenario(text, file);
    toml::table root;
    try {
        root = toml::parse(text, file);
    } catch (const toml::parse_error& error) {
        const auto& where = error.source().begin;
        throw ScenarioError(
            Origin{file, static_cast<std::int64_t>(where.line), static_cast<std::int64_t>(where.column)}, "",
            "TOML syntax error: " + std::string(error.description()));
    }
    const Reader reader(file);
    Scenario scenario;
    scenario.file = file;
    reader.onlyKeys(root, "",
                    {"name", "description", "end", "world", "timeline", "expect", "settings", "settings_file"},
                    "top-level field");

    if (const auto* node = root.get("name")) scenario.name = reader.string(*node, "name");
    if (const auto* node = root.get("description")) scenario.description = reader.string(*node, "description");
    const auto* end = root.get("end");
    if (end == nullptr)
        reader.fail(Origin{file, 1, 1}, "end", "missing: how long the run lasts, in ms" + endHint(root));
    scenario.endMs = reader.time(*end, "end");
    if (scenario.endMs == 0) reader.fail(*end, "end", "the run must last at least 1 ms");

    Names names;
    if (const auto* node = root.get("world"))
        parse::readWorld(reader, reader.table(*node, "world"), scenario.world, names);
    const std::uint64_t frames = scenario.endMs / scenario.world.frameMs + 1;
    if (frames > maxRunFrames) {
        reader.fail(*end, "end",
                    "the run would take " + std::to_string(frames) + " frames of " +
                        std::to_string(scenario.world.frameMs) + " ms; the limit is " + std::to_string(maxRunFrames) +
                        ": shorten the run or raise world.frame_ms");
    }
    if (const auto* node = root.get("timeline")) parse::readTimeline(reader, *node, names, scenario);
    if (const auto* node = root.get("expect")) parse::readExpectations(reader, *node, names, scenario);
    parse::readSettings(reader, root, scenario);

    std::stable_sort(scenario.timeline.begin(), scenario.timeline.end(),
                     [](const TimelineEvent& a, const TimelineEvent& b) { return a.atMs < b.atMs; });
    if (scenario.name.empty()) {
        const auto slash = file.find_last_of("/\\");
        scenario.name = slash == std::string::npos ? file : file.substr(slash + 1);
    }
    return scenario;
}

Scenario loadScenario(const std::string& path) {
    // "-" is standard input. Reading stops one byte past the limit, so that an endless source
    // such as /dev/zero ends in an error rather than in exhausted memory.
    const bool standardInput = path == "-";
    std::error_code error;
    if (!standardInput && std::filesystem::is_directory(path, error))
        throw ScenarioError(Origin{path, 0, 0}, "", "is a directory, not a scenario file");
    std::FILE* in = standardInput ? stdin : std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        const int reason = errno;
        throw ScenarioError(Origin{path, 0, 0}, "",
                            std::string("cannot open the scenario file: ") + std::strerror(reason));
    }
    std::string text;
    char buffer[65536];
    bool failed = false;
    while (text.size() <= maxScenarioBytes) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, in);
        text.append(buffer, got);
        if (got < sizeof buffer) {
            failed = std::ferror(in) != 0;
            break;
        }
    }
    if (!standardInput) std::fclose(in);
    const std::string name = standardInput ? "stdin" : path;
    if (failed) throw ScenarioError(Origin{name, 0, 0}, "", "cannot read the scenario file");
    return parseScenario(text, name);
}

}  // namespace scenario

// The scenario's settings: a [settings] table or a settings_file, turned into the script's INI text.
#include <filesystem>
#include <fstream>
#include <system_error>

#include "scenario/format/folder_paths.h"
#include "scenario/format/parse_support.h"
#include "scenario/format/prescreen.h"

namespace scenario::parse {

namespace {

namespace fs = std::filesystem;

bool hasControl(std::string_view text) {
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return true;
    }
    return false;
}

// Why `text` cannot stand as this part of an INI line without changing the file's layout
// ("" when it can): a line break would start new lines, `]` would end a section name early,
// `=` would split a key, and a key starting like a header or a comment would become one.
std::string iniProblem(std::string_view text, std::string_view part) {
    if (hasControl(text)) return "a line break or other control character";
    if (part == "section" && (text.find(']') != std::string_view::npos || text.find('[') != std::string_view::npos))
        return "'[' or ']'";
    if (part == "key") {
        if (text.find('=') != std::string_view::npos) return "'='";
        const auto first = text.find_first_not_of(" \t");
        if (first != std::string_view::npos && (text[first] == '[' || text[first] == ';' || text[first] == '#'))
            return "a leading '[', ';' or '#'";
    }
    return "";
}

void checkIniPart(const Reader& reader, const Origin& where, const std::string& field, std::string_view text,
                  std::string_view part) {
    const std::string problem = iniProblem(text, part);
    if (!problem.empty()) {
        reader.fail(where, field,
                    "a settings " + std::string(part) + " may not hold " + problem +
                        ": it would change the layout of TobekGunner.ini");
    }
}

// A [settings] table becomes the INI text it stands for: each sub-table a section, each string a line.
std::string settingsFromTable(const Reader& reader, const toml::table& table) {
    std::string text;
    for (auto&& [section, node] : table) {
        const std::string field = join("settings", section.str());
        checkIniPart(reader, reader.origin(section.source()), field, section.str(), "section");
        text += "[" + std::string(section.str()) + "]\n";
        for (auto&& [key, value] : reader.table(node, field)) {
            const std::string keyField = join(field, key.str());
            checkIniPart(reader, reader.origin(key.source()), keyField, key.str(), "key");
            const std::string line = reader.string(value, keyField);
            checkIniPart(reader, reader.origin(value), keyField, line, "value");
            text += std::string(key.str()) + " = " + line + "\n";
        }
    }
    return text;
}

// The settings file must lie in the scenario's folder or below it, as a regular file: a run
// shows what it reads, so it may not reach any other file the user can read.
fs::path settingsPathOf(const Reader& reader, const toml::node& node, const std::string& scenarioFile) {
    const std::string name = reader.string(node, "settings_file");
    if (name.empty()) reader.fail(node, "settings_file", "empty: name a file beside the scenario");
    const fs::path relative(name);
    if (relative.has_root_name() || relative.has_root_directory() || name.front() == '/' || name.front() == '\\')
        reader.fail(node, "settings_file", "'" + name + "' is an absolute path: give it relative to the scenario");
    for (const auto& part : relative) {
        if (part == "..") reader.fail(node, "settings_file", "'" + name + "' may not leave the scenario's folder (..)");
    }
    const fs::path folder = fs::path(scenarioFile).parent_path();
    const fs::path path = folder / relative;
    if (!isInsideFolder(path.string(), folder.empty() ? "." : folder.string()))
        reader.fail(node, "settings_file", "'" + name + "' leads out of the scenario's folder through a link");
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) reader.fail(node, "settings_file", "cannot open " + path.string() + ": no such file");
    if (!fs::is_regular_file(status)) reader.fail(node, "settings_file", path.string() + " is not a regular file");
    return path;
}

// A settings file is read as it is, whatever it holds; like the scenario itself, only up to the
// size cap.
std::string settingsFromFile(const Reader& reader, const toml::node& node, const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) reader.fail(node, "settings_file", "cannot open " + path.string());
    std::string text(maxScenarioBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > maxScenarioBytes) {
        reader.fail(node, "settings_file",
                    path.string() + " is larger than " + std::to_string(maxScenarioBytes >> 20) + " MiB");
    }
    return text;
}

}  // namespace

void readSettings(const Reader& reader, const toml::table& root, Scenario& scenario) {
    const auto* table = root.get("settings");
    const auto* file = root.get("settings_file");
    if (table != nullptr && file != nullptr) {
        reader.fail(*file, "settings_file", "give [settings] or settings_file, not both");
    }
    if (table != nullptr) scenario.settingsText = settingsFromTable(reader, reader.table(*table, "settings"));
    if (file != nullptr) {
        const fs::path path = settingsPathOf(reader, *file, scenario.file);
        scenario.settingsText = settingsFromFile(reader, *file, path);
        scenario.settingsPath = path.string();
    }
}

}  // namespace scenario::parse

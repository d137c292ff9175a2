// The scenario's settings: a [settings] table or a settings_file, turned into the script's INI text.
#include <filesystem>
#include <fstream>

#include "scenario/format/parse_support.h"
#include "scenario/format/prescreen.h"

namespace scenario::parse {

namespace {

// A [settings] table becomes the INI text it stands for: each sub-table a section, each string a line.
std::string settingsFromTable(const Reader& reader, const toml::table& table) {
    std::string text;
    for (auto&& [section, node] : table) {
        const std::string field = join("settings", section.str());
        text += "[" + std::string(section.str()) + "]\n";
        for (auto&& [key, value] : reader.table(node, field)) {
            text += std::string(key.str()) + " = " + reader.string(value, join(field, key.str())) + "\n";
        }
    }
    return text;
}

// A settings file is read as it is, whatever it holds, from beside the scenario file; like the
// scenario itself, only up to the size cap, so that an endless source ends in an error.
std::string settingsFromFile(const Reader& reader, const toml::node& node, const std::string& scenarioFile) {
    const std::string name = reader.string(node, "settings_file");
    const std::filesystem::path path = std::filesystem::path(scenarioFile).parent_path() / name;
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
    if (file != nullptr) scenario.settingsText = settingsFromFile(reader, *file, scenario.file);
}

}  // namespace scenario::parse

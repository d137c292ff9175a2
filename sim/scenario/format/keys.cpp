// The key names a scenario may use: the settings' names from the script's one key table
// (PageDown, NumPad8, MouseLeft, Ctrl), and the scenarios' older lower-case spellings.
#include "scenario/format/keys.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <span>

#include "runtime/key_table.h"
#include "scenario/format/nearest_name.h"

namespace scenario {
namespace {

// The scenarios' own spellings; for a code, the last one listed is the name keyName gives.
constexpr std::array scenarioKeys{
    NamedKey{"left_mouse", 0x01}, NamedKey{"right_mouse", 0x02}, NamedKey{"middle_mouse", 0x04},
    NamedKey{"backspace", 0x08},  NamedKey{"tab", 0x09},         NamedKey{"return", 0x0D},
    NamedKey{"enter", 0x0D},      NamedKey{"shift", 0x10},       NamedKey{"control", 0x11},
    NamedKey{"ctrl", 0x11},       NamedKey{"alt", 0x12},         NamedKey{"escape", 0x1B},
    NamedKey{"esc", 0x1B},        NamedKey{"space", 0x20},       NamedKey{"prior", 0x21},
    NamedKey{"page_up", 0x21},    NamedKey{"next", 0x22},        NamedKey{"page_down", 0x22},
    NamedKey{"end", 0x23},        NamedKey{"home", 0x24},        NamedKey{"left", 0x25},
    NamedKey{"up", 0x26},         NamedKey{"right", 0x27},       NamedKey{"down", 0x28},
    NamedKey{"insert", 0x2D},     NamedKey{"delete", 0x2E},      NamedKey{"multiply", 0x6A},
    NamedKey{"add", 0x6B},        NamedKey{"subtract", 0x6D},    NamedKey{"decimal", 0x6E},
    NamedKey{"divide", 0x6F},
};

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::optional<int> keyCode(std::string_view name) {
    const std::string key = lower(name);
    if (key.size() == 1) {
        const char c = key[0];
        if (c >= 'a' && c <= 'z') return 0x41 + (c - 'a');
        if (c >= '0' && c <= '9') return 0x30 + (c - '0');
    }
    if (key.size() == 7 && key.starts_with("numpad") && key[6] >= '0' && key[6] <= '9') return 0x60 + (key[6] - '0');
    if (key.size() >= 2 && key.size() <= 3 && key[0] == 'f') {
        int number = 0;
        for (std::size_t i = 1; i < key.size(); ++i) {
            if (key[i] < '0' || key[i] > '9') return std::nullopt;
            number = number * 10 + (key[i] - '0');
        }
        if (number >= 1 && number <= 24) return 0x70 + number - 1;
        return std::nullopt;
    }
    for (const auto& named : scenarioKeys) {
        if (named.name == key) return named.code;
    }
    for (const auto& table : {std::span<const ::NamedKey>(::namedKeys), std::span<const ::NamedKey>(::modifierKeys)}) {
        for (const auto& named : table) {
            if (lower(named.name) == key) return named.code;
        }
    }
    return std::nullopt;
}

std::string keyName(int code) {
    if (code >= 0x41 && code <= 0x5A) return std::string(1, static_cast<char>('a' + code - 0x41));
    if (code >= 0x30 && code <= 0x39) return std::string(1, static_cast<char>('0' + code - 0x30));
    if (code >= 0x60 && code <= 0x69) return "numpad" + std::to_string(code - 0x60);
    if (code >= 0x70 && code <= 0x87) return "f" + std::to_string(code - 0x70 + 1);
    std::string_view found;
    for (const auto& named : scenarioKeys) {
        if (named.code == code) found = named.name;
    }
    if (!found.empty()) return std::string(found);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(code & 0xFF));
    return buffer;
}

std::vector<std::string> namedKeyNames() {
    std::vector<std::string> names;
    for (const auto& named : ::modifierKeys) names.emplace_back(named.name);
    for (const auto& named : ::namedKeys) names.emplace_back(named.name);
    for (const auto& named : scenarioKeys) names.emplace_back(named.name);
    return names;
}

std::string keyNameExamples() {
    std::string list = "A-Z, 0-9, NumPad0-NumPad9, F1-F24";
    for (const auto& named : ::modifierKeys) list += ", " + std::string(named.name);
    for (const auto& named : ::namedKeys) list += ", " + std::string(named.name);
    list += "; also written";
    for (std::size_t i = 0; i < scenarioKeys.size(); ++i)
        list += (i == 0 ? " " : ", ") + std::string(scenarioKeys[i].name);
    return list + "; in any case";
}

std::string keyNameHint(std::string_view written) { return didYouMean(written, namedKeyNames()); }

std::vector<std::string> splitCombination(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = text.find('+', start);
        std::string_view part =
            text.substr(start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        parts.emplace_back(part);
        if (plus == std::string_view::npos) break;
        start = plus + 1;
    }
    return parts;
}

}  // namespace scenario

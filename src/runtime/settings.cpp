// Reading TobekGunner.ini with SimpleIni and applying it setting by setting.
#include "runtime/settings.h"

#include "runtime/files.h"
#include "runtime/script_log.h"
#include "runtime/state.h"

// Header-only: Debian's SimpleIni.h holds the definitions behind SI_IMPLEMENTATION.
#define SI_IMPLEMENTATION
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

namespace {

constexpr const char* settingsFileName = "TobekGunner.ini";
constexpr std::size_t longestModelName = 63;

struct KeySetting {
    const char* name;
    KeyBinding Settings::*field;
};

constexpr KeySetting keySettings[] = {
    {"menu", &Settings::menuKeys}, {"attack_mode", &Settings::attackModeKeys}, {"up", &Settings::upKeys},
    {"down", &Settings::downKeys}, {"choose", &Settings::chooseKeys},
};

// SimpleIni parses a private copy of the text and keeps pointers into it, but not line numbers.
// A first section of its own marks where that copy starts, so a key's pointer gives its offset
// in the text and the newlines before it give its line.
constexpr char originSection[] = "[\x01origin]\n";
constexpr std::size_t originLength = sizeof originSection - 1;

struct ParsedFile {
    std::string_view text;
    std::uintptr_t textStart = 0;  // where the text begins in SimpleIni's copy
    int rejected = 0;
};

bool sameName(const char* a, std::string_view b) {
    const std::string_view left(a);
    return left.size() == b.size() && std::equal(left.begin(), left.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

int lineOf(const ParsedFile& file, const char* item) {
    const auto at = reinterpret_cast<std::uintptr_t>(item);
    if (at < file.textStart || at - file.textStart >= file.text.size()) return 0;
    const std::string_view before = file.text.substr(0, at - file.textStart);
    return static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
}

void reject(ParsedFile& file, const char* key, const char* why, const char* section, const char* value) {
    ++file.rejected;
    if (file.rejected > rejectedLinesListed) return;
    logLine("%s line %d: %s [%.40s] %.40s = '%.60s'; that setting keeps its default", settingsFileName,
            lineOf(file, key), why, section, key, value);
}

bool isModelName(std::string_view name) {
    if (name.size() > longestModelName) return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; });
}

// The reason a [keys] line is refused, or null when it was applied.
const char* applyKeySetting(const char* key, const char* value) {
    for (const KeySetting& setting : keySettings) {
        if (!sameName(key, setting.name)) continue;
        const std::optional<KeyBinding> binding = parseKeyBinding(value);
        if (!binding) return "unknown key name in";
        state.settings.*setting.field = *binding;
        return nullptr;
    }
    return "unknown setting";
}

const char* applyGunnerSetting(const char* key, const char* value) {
    if (!sameName(key, "model")) return "unknown setting";
    if (!isModelName(value)) return "not a model name in";
    state.settings.gunnerModel = value;
    return nullptr;
}

const char* applySetting(const char* section, const char* key, const char* value) {
    if (*value == '\0') return "empty value for";
    if (sameName(section, "keys")) return applyKeySetting(key, value);
    if (sameName(section, "gunner")) return applyGunnerSetting(key, value);
    return "unknown setting";
}

void applySection(const CSimpleIniA& ini, ParsedFile& file, const char* section) {
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys(section, keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    for (const CSimpleIniA::Entry& key : keys) {
        const char* value = ini.GetValue(section, key.pItem, "");
        const char* why = applySetting(section, key.pItem, value);
        if (why != nullptr) reject(file, key.pItem, why, section, value);
    }
}

const char* originOf(const CSimpleIniA::TNamesDepend& sections) {
    for (const CSimpleIniA::Entry& section : sections) {
        if (sameName(section.pItem, std::string_view(originSection + 1, originLength - 3))) return section.pItem;
    }
    return nullptr;
}

void logSettingsInForce() {
    for (const KeySetting& setting : keySettings) {
        logLine("setting [keys] %s = %s", setting.name, describeKeyBinding(state.settings.*setting.field).c_str());
    }
    logLine("setting [gunner] model = %s", state.settings.gunnerModel.c_str());
}

}  // namespace

void applySettingsText(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::string document = originSection + std::string(text);
    CSimpleIniA ini;
    if (ini.LoadData(document.data(), document.size()) < 0) {
        logLine("%s could not be parsed; every setting keeps its default", settingsFileName);
        return;
    }
    CSimpleIniA::TNamesDepend sections;
    ini.GetAllSections(sections);
    sections.sort(CSimpleIniA::Entry::LoadOrder());
    const char* origin = originOf(sections);
    if (origin == nullptr) return;
    ParsedFile file{text, reinterpret_cast<std::uintptr_t>(origin) - 1 + originLength, 0};
    for (const CSimpleIniA::Entry& section : sections) {
        if (section.pItem != origin) applySection(ini, file, section.pItem);
    }
    if (file.rejected > rejectedLinesListed) {
        logLine("%s: %d more rejected lines not listed", settingsFileName, file.rejected - rejectedLinesListed);
    }
}

void loadSettings() {
    std::string text;
    switch (readFileBeside(settingsFileName, settingsFileLimit, text)) {
        case FileRead::ok:
            applySettingsText(text);
            break;
        case FileRead::missing:
            logLine("no %s beside the script; every setting keeps its default", settingsFileName);
            break;
        case FileRead::unreadable:
            logLine("%s cannot be read; every setting keeps its default", settingsFileName);
            break;
        case FileRead::tooLarge:
            logLine("%s is larger than %u KiB, so it is not read; every setting keeps its default", settingsFileName,
                    static_cast<unsigned>(settingsFileLimit / 1024));
            break;
    }
    logSettingsInForce();
}

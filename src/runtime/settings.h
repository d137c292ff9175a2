// The player's settings from TobekGunner.ini: hot keys and the gunner model, each with a default
// that keeps the script's usual behaviour.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "runtime/key_names.h"
#include "runtime/platform_calls.h"

struct Settings {
    KeyBinding menuKeys = bindKeys(KeyChord{Key::letterI, true});
    KeyBinding attackModeKeys = bindKeys(KeyChord{Key::letterE});
    KeyBinding upKeys = bindKeys(KeyChord{Key::numpad8}, KeyChord{Key::pageUp});
    KeyBinding downKeys = bindKeys(KeyChord{Key::numpad2}, KeyChord{Key::pageDown});
    KeyBinding chooseKeys = bindKeys(KeyChord{Key::numpad5}, KeyChord{Key::returnKey});
    std::string gunnerModel = "ig_tobekdavis";
};

// Bigger files are not settings files; they are refused whole.
inline constexpr std::size_t settingsFileLimit = 64 * 1024;
// Past this many rejected lines the rest are counted, not listed, so a stray file cannot flood the log.
inline constexpr int rejectedLinesListed = 20;

// Applies every good setting in the text to state.settings and logs every rejected line.
void applySettingsText(std::string_view text);

// Reads TobekGunner.ini beside the script (a missing or unusable file leaves the defaults) and
// logs the settings in force.
void loadSettings();

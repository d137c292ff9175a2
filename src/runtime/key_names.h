// Key names as players write them in TobekGunner.ini, their virtual-key codes, and reading bound keys.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One key and the modifiers that must be held with it.
struct KeyChord {
    int key = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// The keys bound to one action; any one of them triggers it. The capacity bounds what a
// settings line can bind, so no file can make the script read past the array.
inline constexpr std::size_t maxKeysPerAction = 4;
struct KeyBinding {
    std::array<KeyChord, maxKeysPerAction> chords{};
    std::size_t count = 0;
};

constexpr KeyBinding bindKeys(KeyChord first) { return KeyBinding{{first}, 1}; }
constexpr KeyBinding bindKeys(KeyChord first, KeyChord second) { return KeyBinding{{first, second}, 2}; }

// "Ctrl+I", "F5", "NumPad8", "PageUp": one key, optionally after Ctrl+, Shift+ and Alt+.
std::optional<KeyChord> parseKeyChord(std::string_view text);
// Chords separated by commas ("NumPad8, PageUp"); empty when any is bad or there are too many.
std::optional<KeyBinding> parseKeyBinding(std::string_view text);
// The binding as a player would write it.
std::string describeKeyBinding(const KeyBinding& binding);

// The chord's key is read first and its modifiers only while it is down.
bool isChordDown(const KeyChord& chord);
// Later chords are read only while the earlier ones are up.
bool isBindingDown(const KeyBinding& binding);

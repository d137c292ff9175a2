// The one table of named keys: the names TobekGunner.ini accepts (and scenarios too), with their
// virtual-key codes. Letters, digits, NumPad0-9 and F1-F24 are read by pattern, not listed.
#pragma once

#include <string_view>

struct NamedKey {
    std::string_view name;
    int code;
};

// The first name of a code is the one the log writes; later ones are accepted spellings.
inline constexpr NamedKey namedKeys[] = {
    {"Backspace", 0x08},   {"Tab", 0x09},     {"Enter", 0x0D},  {"Return", 0x0D},    {"Pause", 0x13},
    {"Escape", 0x1B},      {"Esc", 0x1B},     {"Space", 0x20},  {"PageUp", 0x21},    {"PageDown", 0x22},
    {"End", 0x23},         {"Home", 0x24},    {"Left", 0x25},   {"Up", 0x26},        {"Right", 0x27},
    {"Down", 0x28},        {"Insert", 0x2D},  {"Delete", 0x2E}, {"Multiply", 0x6A},  {"Add", 0x6B},
    {"Subtract", 0x6D},    {"Decimal", 0x6E}, {"Divide", 0x6F}, {"MouseLeft", 0x01}, {"MouseRight", 0x02},
    {"MouseMiddle", 0x04},
};

// The modifiers written before a key, "Ctrl+I".
inline constexpr NamedKey modifierKeys[] = {{"Ctrl", 0x11}, {"Shift", 0x10}, {"Alt", 0x12}};

// The game's control table spells keys its own way ("NUMPAD 8", "PAGE UP", "PAGEUP", "ARROW UP"):
// this is the one place those spellings become virtual-key codes, for the script and the world.
#pragma once

#include <array>
#include <cctype>
#include <cstddef>
#include <string_view>

namespace gameKeys {

struct Spelling {
    std::string_view name;  // upper case, no spaces
    int code;
};

// Names beyond single letters, digits, NUMPADn and Fn. The mouse wheel and the mouse's motion have
// no virtual key: they are left out and read as no key.
inline constexpr Spelling spellings[] = {
    {"ENTER", 0x0D},
    {"NUMPADENTER", 0x0D},
    {"PAGEUP", 0x21},
    {"PAGEDOWN", 0x22},
    {"SPACEBAR", 0x20},
    {"SPACE", 0x20},
    {"TAB", 0x09},
    {"ESC", 0x1B},
    {"BACKSPACE", 0x08},
    {"INSERT", 0x2D},
    {"DELETE", 0x2E},
    {"HOME", 0x24},
    {"END", 0x23},
    {"ARROWUP", 0x26},
    {"ARROWDOWN", 0x28},
    {"ARROWLEFT", 0x25},
    {"ARROWRIGHT", 0x27},
    {"LEFTMOUSEBUTTON", 0x01},
    {"RIGHTMOUSEBUTTON", 0x02},
    {"SCROLLWHEELBUTTON", 0x04},
    {"LEFTSHIFT", 0xA0},
    {"LEFTCTRL", 0xA2},
    {"LEFTCONTROL", 0xA2},
    {"LEFTALT", 0xA4},
    {"CAPSLOCK", 0x14},
    {"NUMPAD+", 0x6B},
    {"NUMPAD-", 0x6D},
};

// Upper case without spaces, and without a remark in brackets ("F8 (CONSOLE)"). Longer names than
// any key's are cut short, which then match nothing.
struct Normalised {
    std::array<char, 24> text{};
    std::size_t size = 0;
    std::string_view view() const { return std::string_view(text.data(), size); }
};

inline Normalised normalise(std::string_view spelling) {
    Normalised out;
    for (const char c : spelling) {
        if (c == '(') break;
        if (c == ' ' || c == '\t' || c == '\r') continue;
        if (out.size == out.text.size()) return Normalised{};
        out.text[out.size++] = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

// The virtual-key code of one spelling of the table, or 0 when it names no key the script reads.
inline int keyCode(std::string_view spelling) {
    const Normalised normal = normalise(spelling);
    const std::string_view name = normal.view();
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) return name[0];
    if (name.size() == 7 && name.substr(0, 6) == "NUMPAD" && name[6] >= '0' && name[6] <= '9')
        return 0x60 + name[6] - '0';
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        int number = 0;
        for (const char c : name.substr(1)) {
            if (c < '0' || c > '9') return 0;
            number = number * 10 + (c - '0');
        }
        return number >= 1 && number <= 24 ? 0x70 + number - 1 : 0;
    }
    for (const Spelling& known : spellings) {
        if (known.name == name) return known.code;
    }
    return 0;
}

// Calls `visit(code)` for each key of a binding cell such as "ENTER / NUMPAD ENTER" that names one.
template <typename Visit>
void forEachKey(std::string_view cell, Visit visit) {
    while (!cell.empty()) {
        const auto slash = cell.find('/');
        const int code = keyCode(cell.substr(0, slash));
        if (code != 0) visit(code);
        cell = slash == std::string_view::npos ? std::string_view() : cell.substr(slash + 1);
    }
}

}  // namespace gameKeys

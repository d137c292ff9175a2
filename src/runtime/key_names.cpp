// Key names the settings accept, read from the one key table, and the keyboard reads of a binding.
#include "runtime/key_names.h"

#include <algorithm>
#include <cctype>

#include "runtime/key_table.h"
#include "runtime/platform_calls.h"

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// 1..max from the digits, or 0 when they are not a number in that range.
int smallNumber(std::string_view digits, int max) {
    if (digits.empty() || digits.size() > 2) return 0;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number <= max ? number : 0;
}

std::optional<int> keyCode(std::string_view name) {
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    }
    if (name.size() == 7 && sameLetters(name.substr(0, 6), "NumPad") && name[6] >= '0' && name[6] <= '9') {
        return 0x60 + (name[6] - '0');
    }
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        const int number = smallNumber(name.substr(1), 24);
        if (number >= 1) return 0x70 + number - 1;
    }
    for (const NamedKey& named : namedKeys) {
        if (sameLetters(named.name, name)) return named.code;
    }
    return std::nullopt;
}

std::string keyName(int code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return std::string(1, static_cast<char>(code));
    // Appended, not "literal" + string: GCC 12 warns falsely on that (bug 105329).
    std::string name;
    if (code >= 0x60 && code <= 0x69) return name.append("NumPad").append(std::to_string(code - 0x60));
    if (code >= 0x70 && code <= 0x87) return name.append("F").append(std::to_string(code - 0x70 + 1));
    for (const NamedKey& named : namedKeys) {
        if (named.code == code) return name.append(named.name);
    }
    return name.append("key ").append(std::to_string(code));
}

// Takes one "Ctrl+", "Shift+" or "Alt+" off the front; false when there is none.
bool takeModifier(std::string_view& text, KeyChord& chord) {
    const std::size_t plus = text.find('+');
    if (plus == std::string_view::npos || plus + 1 == text.size()) return false;
    const std::string_view word = trimmed(text.substr(0, plus));
    bool* flag = nullptr;
    if (sameLetters(word, "Ctrl") || sameLetters(word, "Control")) flag = &chord.ctrl;
    if (sameLetters(word, "Shift")) flag = &chord.shift;
    if (sameLetters(word, "Alt")) flag = &chord.alt;
    if (flag == nullptr) return false;
    *flag = true;
    text.remove_prefix(plus + 1);
    return true;
}

}  // namespace

std::optional<KeyChord> parseKeyChord(std::string_view text) {
    KeyChord chord;
    text = trimmed(text);
    while (takeModifier(text, chord)) {
    }
    const std::optional<int> code = keyCode(trimmed(text));
    if (!code) return std::nullopt;
    chord.key = *code;
    return chord;
}

std::optional<KeyBinding> parseKeyBinding(std::string_view text) {
    KeyBinding binding;
    for (;;) {
        const std::size_t comma = text.find(',');
        if (binding.count == maxKeysPerAction) return std::nullopt;
        const std::optional<KeyChord> chord = parseKeyChord(text.substr(0, comma));
        if (!chord) return std::nullopt;
        binding.chords[binding.count++] = *chord;
        if (comma == std::string_view::npos) return binding;
        text.remove_prefix(comma + 1);
    }
}

std::string describeKeyBinding(const KeyBinding& binding) {
    std::string text;
    for (std::size_t i = 0; i < binding.count && i < maxKeysPerAction; ++i) {
        const KeyChord& chord = binding.chords[i];
        if (i > 0) text += ", ";
        if (chord.ctrl) text += "Ctrl+";
        if (chord.shift) text += "Shift+";
        if (chord.alt) text += "Alt+";
        text += keyName(chord.key);
    }
    return text;
}

bool isChordDown(const KeyChord& chord) {
    if (!isKeyDown(chord.key)) return false;
    if (chord.ctrl && !isKeyDown(Key::control)) return false;
    if (chord.shift && !isKeyDown(Key::shift)) return false;
    return !chord.alt || isKeyDown(Key::alt);
}

bool isBindingDown(const KeyBinding& binding) {
    for (std::size_t i = 0; i < binding.count && i < maxKeysPerAction; ++i) {
        if (isChordDown(binding.chords[i])) return true;
    }
    return false;
}

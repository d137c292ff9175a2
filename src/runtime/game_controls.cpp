// Finding the game controls the menu's keys would also work while the menu is open.
#include "runtime/game_controls.h"

#include "runtime/game_key_spelling.h"
#include "runtime/state.h"

namespace {

std::string_view nextField(std::string_view& line) {
    const auto tab = line.find('\t');
    const std::string_view field = line.substr(0, tab);
    line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    return field;
}

bool bindingHasKey(const KeyBinding& binding, int code) {
    for (std::size_t i = 0; i < binding.count; ++i) {
        if (binding.chords[i].key == code) return true;
    }
    return false;
}

// A row's index, or -1 for a comment or a malformed row.
std::int32_t controlIndex(std::string_view field) {
    if (field.empty() || field.size() > 4) return -1;
    std::int32_t index = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') return -1;
        index = index * 10 + (c - '0');
    }
    return index;
}

}  // namespace

ControlSet controlsSharingKeys(std::string_view table, const KeyBinding& up, const KeyBinding& down,
                               const KeyBinding& choose) {
    ControlSet found;
    while (!table.empty() && found.count < maxMenuControls) {
        const auto newline = table.find('\n');
        std::string_view line = table.substr(0, newline);
        table = newline == std::string_view::npos ? std::string_view() : table.substr(newline + 1);
        const std::int32_t index = controlIndex(nextField(line));
        if (index < 0) continue;
        nextField(line);
        bool shared = false;
        gameKeys::forEachKey(nextField(line), [&](int code) {
            shared = shared || bindingHasKey(up, code) || bindingHasKey(down, code) || bindingHasKey(choose, code);
        });
        if (shared) found.controls[found.count++] = index;
    }
    return found;
}

void findMenuControls() {
    const Settings& keys = state.settings;
    state.menuControls = controlsSharingKeys(embedded::gameControlsText, keys.upKeys, keys.downKeys, keys.chooseKeys);
}

// Reading the bundled table of the game's controls; the key spellings are read by the script's
// own reader of them, so the world and the script agree on every key.
#include "world/game_controls.h"

#include "runtime/game_key_spelling.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "world/game_table.h"

namespace sim {
namespace {

using gameTable::nextField;

GameControl parseRow(std::string_view line, std::size_t lineNumber) {
    GameControl control;
    const std::string_view index = nextField(line);
    const auto [stop, error] = std::from_chars(index.data(), index.data() + index.size(), control.index);
    control.name = nextField(line);
    const std::string_view keyboard = nextField(line);
    if (index.empty() || error != std::errc() || stop != index.data() + index.size() || control.index < 0 ||
        control.name.empty() || keyboard.empty() || line.empty()) {
        throw std::runtime_error("game control table line " + std::to_string(lineNumber) +
                                 ": expected index, name, keyboard and pad bindings");
    }
    gameKeys::forEachKey(keyboard, [&](int code) {
        if (std::find(control.keys.begin(), control.keys.end(), code) == control.keys.end())
            control.keys.push_back(code);
    });
    return control;
}

}  // namespace

std::vector<GameControl> parseGameControls(std::string_view text) {
    return gameTable::readRows<GameControl>(text, parseRow);
}

const std::vector<GameControl>& gameControls() {
    static const std::vector<GameControl> controls = [] {
        std::vector<GameControl> sorted = parseGameControls(gameControlsText);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const GameControl& a, const GameControl& b) { return a.index < b.index; });
        return sorted;
    }();
    return controls;
}

const std::vector<std::int32_t>& controlsOfKey(int virtualKey) {
    static const std::array<std::vector<std::int32_t>, 256> byKey = [] {
        std::array<std::vector<std::int32_t>, 256> built;
        for (const GameControl& control : gameControls()) {
            for (const int key : control.keys) built[static_cast<std::size_t>(key & 0xFF)].push_back(control.index);
        }
        return built;
    }();
    return byKey[static_cast<std::size_t>(virtualKey & 0xFF)];
}

std::int32_t gameControlCount() {
    const auto& controls = gameControls();
    return controls.empty() ? 0 : controls.back().index + 1;
}

}  // namespace sim

// The game's input controls with their default keyboard keys: the bundled copy of the game's
// control table, and which controls each key works.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

struct GameControl {
    std::int32_t index = 0;
    std::string_view name;
    std::vector<int> keys;  // virtual-key codes of its default keyboard binding
};

// The bytes of data/game-controls.tsv, built into the program (generated source).
extern const std::string_view gameControlsText;

// Rows "index name keyboard pad", tab separated; '#' comment lines skipped. Throws
// std::runtime_error naming the line of a malformed row.
std::vector<GameControl> parseGameControls(std::string_view text);

// The bundled table, parsed on first use, in index order.
const std::vector<GameControl>& gameControls();
// The indices of the controls a key works by default, in index order (empty for most keys).
const std::vector<std::int32_t>& controlsOfKey(int virtualKey);
// One past the highest control index.
std::int32_t gameControlCount();

// The controls the world gives an effect to.
inline constexpr std::int32_t skipCutsceneControl = 18;
inline constexpr std::int32_t flyPitchUpControl = 111;
inline constexpr std::int32_t flyPitchDownControl = 112;

}  // namespace sim

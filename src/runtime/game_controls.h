// The game's controls that share a default keyboard key with the menu's keys, found once from the
// built-in copy of the game's control table.
#pragma once

#include "runtime/key_names.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace embedded {
// The bytes of data/game-controls.tsv, built into the script (generated source).
extern const std::string_view gameControlsText;
}  // namespace embedded

// Room for every control the widest menu bindings can share keys with; more are dropped.
inline constexpr std::size_t maxMenuControls = 64;

struct ControlSet {
    std::array<std::int32_t, maxMenuControls> controls{};
    std::size_t count = 0;
};

// The controls of `table` (rows "index<TAB>name<TAB>keyboard<TAB>pad") whose default keyboard
// binding holds the key of any chord of the three bindings, in the table's order.
ControlSet controlsSharingKeys(std::string_view table, const KeyBinding& up, const KeyBinding& down,
                               const KeyBinding& choose);

// Sets state.menuControls from the menu keys in force.
void findMenuControls();

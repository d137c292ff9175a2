// Attack mode selection: one step per call while E (or the key the settings name) is down,
// announced on the status line.
#include "crew/attack_mode.h"

#include "runtime/key_names.h"
#include "runtime/state.h"
#include "ui/status_text.h"
#include "ui/vocabulary.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr std::uint32_t holdMs = 250;
constexpr std::uint32_t showMs = 3000;

std::int32_t nextAttackMode(std::int32_t mode) {
    std::int32_t next = mode + 1;
    if (next > 2) next = 0;
    // The Valkyrie has no gun the player can point, so its crew never goes back to mode 0.
    if (state.vehicleIsValkyrie && next == 0) next = 1;
    return next;
}

}  // namespace

void cycleAttackMode() {
    if (!isBindingDown(state.settings.attackModeKeys)) return;
    state.attackMode = nextAttackMode(state.attackMode);
    // A mode outside the table throws here and the pass ends with the mode already stored.
    const char* message = attackModeMessages.at(static_cast<std::size_t>(state.attackMode));
    showStatusTextAndWait(message, holdMs);
    setStatusText(message, showMs);
}

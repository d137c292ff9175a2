// The vehicle menu: Ctrl+I opens it; keypad or Page Up/Down move the highlight; Enter chooses
// (the keys the player's settings name, these by default).
#include "ui/vehicle_menu.h"

#include "crew/spawn.h"
#include "runtime/key_names.h"
#include "runtime/natives.h"
#include "runtime/state.h"
#include "runtime/ticks.h"
#include "ui/menu_line.h"
#include "ui/vocabulary.h"

#include <cstddef>
#include <iterator>

namespace {

struct MenuItem {
    const char* caption;
    float lineTop;
};

constexpr MenuItem menuItems[] = {
    {menuVehicles[0].caption, 55.0f},
    {menuVehicles[1].caption, 75.0f},
    {menuVehicles[2].caption, 95.0f},
    {closeMenuCaption, 117.0f},
};
// The line after the vehicles closes the menu.
constexpr std::int32_t closeMenuItem = static_cast<std::int32_t>(menuVehicles.size());
static_assert(std::size(menuItems) == menuVehicles.size() + 1, "one menu line per vehicle, then Close menu");
constexpr Tick menuKeyPeriod = 200;

void drawMenu() {
    drawMenuLine(menuTitle, 250.0f, 20.0f, 25.0f, 25.0f, 10.0f, false, true, false, false, false);
    for (std::int32_t item = 0; item <= closeMenuItem; ++item) {
        const MenuItem& line = menuItems[item];
        drawMenuLine(line.caption, 250.0f, 20.0f, line.lineTop, 25.0f, 10.0f, state.menuSelection == item, false, false,
                     false, false);
    }
}

// The menu's keys do nothing during a cutscene (Enter there skips the cutscene).
bool menuKeyDown(const KeyBinding& binding) { return isBindingDown(binding) && !isCutsceneActive(); }

void openOnMenuKey() {
    if (menuKeyDown(state.settings.menuKeys)) state.menuOpen = true;
}

}  // namespace

void holdBackMenuControls() {
    for (std::size_t i = 0; i < state.menuControls.count; ++i)
        disableControlAction(0, state.menuControls.controls[i], true);
}

void runVehicleMenu() {
    if (!state.menuOpen) {
        openOnMenuKey();
        return;
    }
    drawMenu();
    holdBackMenuControls();
    if (!throttlePassed(state.menuKeyTick, state.frameTick, menuKeyPeriod)) return;

    if (menuKeyDown(state.settings.upKeys)) {
        state.menuSelection = state.menuSelection - 1 < 0 ? closeMenuItem : state.menuSelection - 1;
        state.menuKeyTick = state.frameTick;
        return;
    }
    if (menuKeyDown(state.settings.downKeys)) {
        state.menuSelection = state.menuSelection + 1 > closeMenuItem ? 0 : state.menuSelection + 1;
        state.menuKeyTick = state.frameTick;
        return;
    }
    if (menuKeyDown(state.settings.chooseKeys)) {
        if (state.menuSelection != closeMenuItem) spawnCrew();
        state.menuOpen = false;
    }
}

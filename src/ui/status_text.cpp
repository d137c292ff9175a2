// The timed status message: one line, centred at the bottom, over a full-width box.
#include "ui/status_text.h"

#include "runtime/platform_calls.h"
#include "runtime/state.h"
#include "runtime/ticks.h"
#include "ui/menu_line.h"
#include "ui/vehicle_menu.h"

#include <utility>

void setStatusText(std::string text, std::uint32_t durationMs) {
    state.statusText = std::move(text);
    state.statusDuration = durationMs;
    state.statusShownAt = readTickCount();
}

void drawStatusText() {
    if (state.statusText.empty()) return;
    if (!intervalRunning(state.statusShownAt, state.frameTick, state.statusDuration)) return;

    const float width = static_cast<float>(state.screenWidth);
    // Subtracted as integers first; widened so that no resolution can overflow.
    const float top = static_cast<float>(static_cast<std::int64_t>(state.screenHeight) - 25);
    const float centre = static_cast<float>(static_cast<double>(state.screenWidth) * 0.5);
    drawMenuLine(state.statusText, width, 5.0f, top, 0.0f, centre, true, false, true, true, true);
}

void showStatusTextAndWait(std::string text, std::uint32_t durationMs) {
    // Elapsed time from the first reading, so a wait that spans the clock's wrap still ends.
    const Tick start = readTickCount();
    setStatusText(std::move(text), durationMs);
    while (readTickCount() - start < durationMs) {
        waitForGame(0);
        // A spawn's message is shown while the menu that chose it is still open.
        if (state.menuOpen) holdBackMenuControls();
        drawStatusText();
    }
}

// Windows (or simulated) clock, keyboard and window focus, read through the host seam's declarations.
#include "runtime/platform_calls.h"

#include "runtime/host.h"
#include "runtime/platform.h"

Tick readTickCount() { return static_cast<Tick>(GetTickCount()); }

namespace {

// The foreground window belongs to this process: the game's own window is in front.
bool gameHasFocus() {
    HWND window = GetForegroundWindow();
    if (window == nullptr) return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId == GetCurrentProcessId();
}

}  // namespace

bool isKeyDown(int virtualKey) {
    if (!gameHasFocus()) return false;
    const auto state = static_cast<std::uint16_t>(GetAsyncKeyState(virtualKey));
    return (state & 0x8000u) != 0;
}

void waitForGame(std::uint32_t ms) { scriptWait(ms); }

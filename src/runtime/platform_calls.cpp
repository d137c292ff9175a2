// Windows (or simulated) clock and keyboard, read through the host seam's declarations.
#include "runtime/platform_calls.h"

#include "runtime/host.h"
#include "runtime/platform.h"

Tick readTickCount() { return static_cast<Tick>(GetTickCount()); }

bool isKeyDown(int virtualKey) {
    const auto state = static_cast<std::uint16_t>(GetAsyncKeyState(virtualKey));
    return (state & 0x8000u) != 0;
}

void waitForGame(std::uint32_t ms) { scriptWait(ms); }

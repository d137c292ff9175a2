// The Windows calls the game logic needs (clock, keys, focus), behind plain functions so
// <windows.h> stays behind the seam.
#pragma once

#include "runtime/types.h"

#include <cstdint>

// Milliseconds since the system started, wrapping every 2^32 ms.
Tick readTickCount();

// True while the key is down at the moment of the call (bit 15 of GetAsyncKeyState) and the
// game's window has the focus; keys typed into another program always read as up.
bool isKeyDown(int virtualKey);

// Virtual-key codes the script reads. A letter's code is its capital; the numpad digits follow 0x60.
namespace Key {
enum : int {
    leftButton = 0x01,
    rightButton = 0x02,
    returnKey = 0x0D,
    shift = 0x10,
    control = 0x11,
    alt = 0x12,
    pageUp = 0x21,
    pageDown = 0x22,
    letterE = 'E',
    letterI = 'I',
    numpad2 = 0x62,
    numpad5 = 0x65,
    numpad8 = 0x68,
};
}  // namespace Key

// The host's scriptWait: yields the script fiber to the game for `ms` milliseconds (0: one frame).
void waitForGame(std::uint32_t ms);

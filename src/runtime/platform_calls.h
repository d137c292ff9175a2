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

// Virtual-key codes the script reads.
namespace Key {
inline constexpr int leftButton = 0x01;
inline constexpr int rightButton = 0x02;
inline constexpr int returnKey = 0x0D;
inline constexpr int shift = 0x10;
inline constexpr int control = 0x11;
inline constexpr int alt = 0x12;
inline constexpr int pageUp = 0x21;
inline constexpr int pageDown = 0x22;
inline constexpr int letterE = 0x45;
inline constexpr int letterI = 0x49;
inline constexpr int numpad2 = 0x62;
inline constexpr int numpad5 = 0x65;
inline constexpr int numpad8 = 0x68;
}  // namespace Key

// The host's scriptWait: yields the script fiber to the game for `ms` milliseconds (0: one frame).
void waitForGame(std::uint32_t ms);

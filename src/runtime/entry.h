// The library's entry points: registration with the host, the script entry and the frame loop.
#pragma once

#include "runtime/platform.h"

// One pass of the frame loop: the frame's tick, the status message, the menu and the crew. The
// loop runs it between yields; benchmarks and tests run the same pass.
void runFramePass();
// The opening every pass shares: stamps frameTick and draws the status message.
void beginFramePass();

void scriptMain();
void runFrameLoop();

extern "C" BOOL APIENTRY DllMain(HMODULE module, DWORD reason, LPVOID reserved);

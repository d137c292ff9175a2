// The library's entry points: registration with the host, the script entry and the frame loop.
#pragma once

#include "runtime/platform.h"

void scriptMain();
void runFrameLoop();

extern "C" BOOL APIENTRY DllMain(HMODULE module, DWORD reason, LPVOID reserved);

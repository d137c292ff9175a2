// Library entry, script entry and the endless frame loop.
#include "runtime/entry.h"

#include "crew/supervisor.h"
#include "runtime/host.h"
#include "runtime/natives.h"
#include "runtime/platform_calls.h"
#include "runtime/state.h"
#include "ui/status_text.h"
#include "ui/vehicle_menu.h"

#include <cstdlib>

void beginFramePass() {
    state.frameTick = readTickCount();
    drawStatusText();
}

void runFramePass() {
    beginFramePass();
    runVehicleMenu();
    superviseCrew();
}

void runFrameLoop() {
    getScreenResolution(&state.screenWidth, &state.screenHeight);
    requestStreamedTextureDict("Darts", false);
    for (;;) {
        // A failing pass is dropped whole; the yield below must still happen every frame.
        try {
            runFramePass();
        } catch (...) {
        }
        scriptWait(0);
    }
}

void scriptMain() {
    std::srand(readTickCount());
    runFrameLoop();
}

extern "C" BOOL APIENTRY DllMain(HMODULE module, DWORD reason, LPVOID /*reserved*/) {
    // The host reloads scripts: it must be told when this library goes away.
    if (reason == DLL_PROCESS_ATTACH) {
        scriptRegister(module, scriptMain);
    } else if (reason == DLL_PROCESS_DETACH) {
        scriptUnregister(module);
    }
    return TRUE;
}

// Library entry, script entry and the endless frame loop.
#include "runtime/entry.h"

#include "crew/supervisor.h"
#include "runtime/game_controls.h"
#include "runtime/host.h"
#include "runtime/natives.h"
#include "runtime/platform_calls.h"
#include "runtime/script_log.h"
#include "runtime/settings.h"
#include "runtime/state.h"
#include "ui/status_text.h"
#include "ui/vehicle_menu.h"

#include <cstdlib>
#include <exception>

// TG_VERSION: the project's version, given by the build.

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
        } catch (const std::exception& error) {
            logLine("a frame pass ended with an exception: %s", error.what());
        } catch (...) {
            logLine("a frame pass ended with an exception that carries no message");
        }
        scriptWait(0);
    }
}

// The settings are read here rather than in DllMain, where the loader lock forbids file work.
void scriptMain() {
    openLog();
    logLine("Tobek Gunner %s started", TG_VERSION);
    // Settings that cannot be read must not keep the script from running.
    try {
        loadSettings();
    } catch (const std::exception& error) {
        logLine("reading the settings stopped with an exception: %s", error.what());
    }
    findMenuControls();
    std::srand(readTickCount());
    runFrameLoop();
}

extern "C" BOOL APIENTRY DllMain(HMODULE module, DWORD reason, LPVOID /*reserved*/) {
    // The host reloads scripts: it must be told when this library goes away.
    if (reason == DLL_PROCESS_ATTACH) {
        state.scriptModule = module;
        scriptRegister(module, scriptMain);
    } else if (reason == DLL_PROCESS_DETACH) {
        scriptUnregister(module);
    }
    if (reason == DLL_PROCESS_DETACH) closeLog();
    return TRUE;
}

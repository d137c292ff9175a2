// Loads the script library into a process that already holds the simulated host, and points the
// script's clock, keyboard and window-focus imports at the simulated ones.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace sim {

// Rewrites every import address table entry of `module` that binds `function` from `library`
// (the library name compared without regard to case) to `replacement`. Returns how many entries
// were rewritten.
int redirectImport(HMODULE module, const char* library, const char* function, void* replacement);

struct LoadedScript {
    HMODULE module = nullptr;
    std::string error;  // empty when the script is loaded and every import is redirected
};

// LoadLibrary of the script: the loader binds its ScriptHookV.dll imports to the substitute
// already in this process, and its DllMain registers the script entry there. Then its
// GetTickCount, GetAsyncKeyState, GetForegroundWindow and GetWindowThreadProcessId imports are
// pointed at the simulated clock, keyboard and focus, before the entry has run. The script's own
// GetCurrentProcessId stays the real one: the simulated host answers with the real process id.
LoadedScript loadScript(const std::string& path);

// The script file beside this program, for runs that name none.
std::string scriptBesideProgram();

}  // namespace sim

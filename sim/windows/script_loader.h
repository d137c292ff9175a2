// Loads the script library into a process that already holds the simulated host, and points the
// script's clock and keyboard imports at the simulated ones.
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
    std::string error;  // empty when the script is loaded and both imports are redirected
};

// LoadLibrary of the script: the loader binds its ScriptHookV.dll imports to the substitute
// already in this process, and its DllMain registers the script entry there. Then its
// GetTickCount and GetAsyncKeyState imports are pointed at the simulated clock and keyboard,
// before the entry has run.
LoadedScript loadScript(const std::string& path);

// The script file beside this program, for runs that name none.
std::string scriptBesideProgram();

}  // namespace sim

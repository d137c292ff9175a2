// The C API that the Windows build of the simulated host (a substitute ScriptHookV.dll) exports
// next to the host's own six functions, so that a small program can drive the one host in it.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(SIM_BUILDING_HOST_DLL)
#define SIM_API extern "C" __declspec(dllexport)
#else
#define SIM_API extern "C" __declspec(dllimport)
#endif

// Clock: the tick the first frame shows and the milliseconds every further frame adds.
SIM_API void simSetClock(std::uint32_t startTick, std::uint32_t frameMs);
// True once a script has registered its entry through scriptRegister.
SIM_API int simRegistered();
// Makes the registered entry run on its fiber from the next frame on.
SIM_API void simStart();
SIM_API void simRunFrames(std::uint64_t count);
SIM_API void simSetKey(int virtualKey, int down);
// Whether the game's window has the focus (it has from the start).
SIM_API void simSetFocus(int focused);
// scriptUnregister calls so far.
SIM_API std::uint64_t simUnregisterCount();

SIM_API std::uint64_t simFrame();
SIM_API std::uint32_t simTick();
// scriptWait calls, all of them and those that asked for more than one frame (ms != 0).
SIM_API std::uint64_t simWaitCount();
SIM_API std::uint64_t simTimedWaitCount();
SIM_API std::uint64_t simCallCount();
SIM_API std::uint64_t simCountCalls(const char* nativeName);

// Protocol faults the host found (unknown hashes, wrong argument counts, ...).
SIM_API std::size_t simErrorCount();
SIM_API const char* simError(std::size_t index);

// Keeps every call in memory (the default; simCountCalls needs it). Long runs may turn it off.
SIM_API void simRecordCalls(int on);

// Writes every call from now on as one JSON line to the file (truncated first). One trace per
// process; 0 when the file cannot be made or a trace was already started.
SIM_API int simTraceTo(const char* path);
// Flushes and closes the trace file.
SIM_API void simCloseTrace();

// The simulated clock, keyboard and window focus in the shapes of GetTickCount, GetAsyncKeyState,
// GetForegroundWindow and GetWindowThreadProcessId, for the script's import address table.
SIM_API unsigned long __stdcall simGetTickCount();
SIM_API short __stdcall simGetAsyncKeyState(int virtualKey);
SIM_API void* __stdcall simGetForegroundWindow();
SIM_API unsigned long __stdcall simGetWindowThreadProcessId(void* window, unsigned long* processId);

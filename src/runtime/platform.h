// Platform types the host seam needs: <windows.h> on Windows, the simulated host's equivalents elsewhere.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
// The simulated host supplies the Windows calls under their Windows names and shapes.
using BOOL = int;
using DWORD = std::uint32_t;
using SHORT = std::int16_t;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
struct HWND__;
using HWND = HWND__*;
using HMODULE = HINSTANCE;
using LPVOID = void*;
#define APIENTRY
#define WINAPI
#define TRUE 1
#define FALSE 0
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

extern "C" DWORD GetTickCount();
extern "C" SHORT GetAsyncKeyState(int virtualKey);
extern "C" DWORD GetModuleFileNameW(HMODULE module, wchar_t* fileName, DWORD size);
extern "C" HWND GetForegroundWindow();
extern "C" DWORD GetWindowThreadProcessId(HWND window, DWORD* processId);
extern "C" DWORD GetCurrentProcessId();
#endif

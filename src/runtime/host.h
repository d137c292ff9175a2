// The one seam to the host library: ScriptHookV's six exports, as the script declares them.
//
// MinGW cannot spell the host's decorated export names, so there the functions are declared
// with C linkage under plain names and the import library (made from ScriptHookV.def) maps each
// plain name onto the decorated one. MSVC mangles these C++ declarations to exactly the
// decorated names. On Linux the simulated host defines the plain C names.
#pragma once

#include "runtime/platform.h"

#include <cstdint>

using ScriptEntry = void (*)();

// MSVC's C++ mangling already gives the decorated names; elsewhere the names are plain C ones.
#if defined(_MSC_VER)
#define TG_HOST_LINKAGE
#else
#define TG_HOST_LINKAGE extern "C"
#endif

#if defined(_WIN32)
#define TG_HOST_IMPORT TG_HOST_LINKAGE __declspec(dllimport)
#else
#define TG_HOST_IMPORT TG_HOST_LINKAGE
#endif

TG_HOST_IMPORT void scriptRegister(HMODULE module, void (*entry)());
TG_HOST_IMPORT void scriptUnregister(HMODULE module);
TG_HOST_IMPORT void scriptWait(unsigned long ms);
TG_HOST_IMPORT void nativeInit(unsigned long long hash);
TG_HOST_IMPORT void nativePush64(unsigned long long value);
TG_HOST_IMPORT unsigned long long* nativeCall();

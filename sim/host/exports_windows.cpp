// The substitute ScriptHookV.dll: the host's six functions (exported under their decorated
// names through ScriptHookV.def) and the C API a runner drives the simulated host with.
#define SIM_BUILDING_HOST_DLL
#include "host/host_api.h"

#include "host/sim_host.h"
#include "host/trace.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <memory>

namespace {

// One host per process. It is never destroyed: when the process ends, the script's fiber is
// still parked inside scriptWait, as it would be in the game.
sim::SimHost& host() {
    static sim::SimHost* const instance = [] {
        auto* created = new sim::SimHost();
        // The script compares the foreground window's process with its own, the real one.
        created->setProcessId(GetCurrentProcessId());
        return created;
    }();
    return *instance;
}

std::uint64_t timedWaits = 0;
std::shared_ptr<std::ofstream> traceFile;

}  // namespace

struct HINSTANCE__;

// The host's exports, reached by the script under the decorated names.
extern "C" {

void simScriptRegister(HINSTANCE__* module, void (*entry)()) { host().scriptRegister(module, entry); }

void simScriptUnregister(HINSTANCE__* module) { host().scriptUnregister(module); }

void simScriptWait(unsigned long ms) {
    if (ms != 0) ++timedWaits;
    host().scriptWait(static_cast<std::uint32_t>(ms));
}

void simNativeInit(unsigned long long hash) { host().nativeInit(hash); }

void simNativePush64(unsigned long long value) { host().nativePush64(value); }

unsigned long long* simNativeCall() {
    static_assert(sizeof(unsigned long long) == sizeof(std::uint64_t));
    return reinterpret_cast<unsigned long long*>(host().nativeCall());
}

}  // extern "C"

SIM_API void simSetClock(std::uint32_t startTick, std::uint32_t frameMs) {
    host().setTick(startTick);
    host().setFrameMs(frameMs);
}

SIM_API int simRegistered() { return host().registered() ? 1 : 0; }

SIM_API void simStart() { host().start(); }

SIM_API void simRunFrames(std::uint64_t count) { host().runFrames(count); }

SIM_API void simSetKey(int virtualKey, int down) { host().setKey(virtualKey, down != 0); }

SIM_API std::uint64_t simFrame() { return host().frame(); }

SIM_API std::uint32_t simTick() { return host().tick(); }

SIM_API std::uint64_t simWaitCount() { return host().waitCount(); }

SIM_API std::uint64_t simTimedWaitCount() { return timedWaits; }

SIM_API std::uint64_t simCallCount() { return host().callCount(); }

SIM_API std::uint64_t simCountCalls(const char* nativeName) {
    return nativeName != nullptr ? host().countCalls(nativeName) : 0;
}

SIM_API std::size_t simErrorCount() { return host().errors().size(); }

SIM_API const char* simError(std::size_t index) {
    const auto& errors = host().errors();
    return index < errors.size() ? errors[index].c_str() : nullptr;
}

SIM_API void simRecordCalls(int on) { host().setRecordCalls(on != 0); }

SIM_API int simTraceTo(const char* path) {
    if (traceFile) return 0;  // observers cannot be taken off the host again
    auto file = std::make_shared<std::ofstream>(path, std::ios::binary | std::ios::trunc);
    if (!*file) return 0;
    traceFile = file;
    sim::traceCalls(host(), std::move(file));
    return 1;
}

SIM_API void simCloseTrace() {
    if (traceFile) traceFile->close();
}

SIM_API unsigned long __stdcall simGetTickCount() { return host().getTickCount(); }

SIM_API short __stdcall simGetAsyncKeyState(int virtualKey) { return host().getAsyncKeyState(virtualKey); }

SIM_API void* __stdcall simGetForegroundWindow() { return reinterpret_cast<void*>(host().foregroundWindow()); }

SIM_API unsigned long __stdcall simGetWindowThreadProcessId(void* window, unsigned long* processId) {
    if (processId != nullptr) *processId = host().windowProcessId(reinterpret_cast<std::uintptr_t>(window));
    return 1;
}

SIM_API void simSetFocus(int focused) { host().setFocus(focused != 0); }

SIM_API std::uint64_t simUnregisterCount() { return host().unregisterCount(); }

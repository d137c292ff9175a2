// The host library's exports and the Windows calls, as the Linux build of the script links them.
#include "host/sim_host.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

sim::SimHost& host() {
    sim::SimHost* current = sim::SimHost::current();
    if (current == nullptr) throw sim::HostStop{};
    return *current;
}

// The Windows C runtime's generator, so that the script draws the same numbers on both builds.
std::uint32_t randomSeed = 1;

}  // namespace

struct HINSTANCE__;
struct HWND__;

extern "C" {

void scriptRegister(HINSTANCE__* module, void (*entry)()) { host().scriptRegister(module, entry); }
void scriptUnregister(HINSTANCE__* module) { host().scriptUnregister(module); }
void scriptWait(unsigned long ms) { host().scriptWait(static_cast<std::uint32_t>(ms)); }
void nativeInit(unsigned long long hash) { host().nativeInit(hash); }
void nativePush64(unsigned long long value) { host().nativePush64(value); }
unsigned long long* nativeCall() {
    static_assert(sizeof(unsigned long long) == sizeof(std::uint64_t));
    return reinterpret_cast<unsigned long long*>(host().nativeCall());
}
std::uint32_t GetTickCount() { return host().getTickCount(); }
std::int16_t GetAsyncKeyState(int virtualKey) { return host().getAsyncKeyState(virtualKey); }
HWND__* GetForegroundWindow() { return reinterpret_cast<HWND__*>(host().foregroundWindow()); }
std::uint32_t GetWindowThreadProcessId(HWND__* window, std::uint32_t* processId) {
    if (processId != nullptr) *processId = host().windowProcessId(reinterpret_cast<std::uintptr_t>(window));
    return 1;  // the window's thread; the script does not use it
}
std::uint32_t GetCurrentProcessId() { return host().processId(); }

// As on Windows: the length copied, the text cut and terminated when the buffer is too small,
// 0 when the host has no file for the script.
std::uint32_t GetModuleFileNameW(HINSTANCE__* /*module*/, wchar_t* fileName, std::uint32_t size) {
    const std::string& path = host().scriptPath();
    if (path.empty() || size == 0) return 0;
    const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
    for (std::size_t i = 0; i < copied; ++i) fileName[i] = static_cast<unsigned char>(path[i]);
    fileName[copied] = L'\0';
    return static_cast<std::uint32_t>(copied < path.size() ? size : copied);
}

void srand(unsigned int seed) { randomSeed = seed; }
int rand() {
    randomSeed = randomSeed * 214013u + 2531011u;
    return static_cast<int>((randomSeed >> 16) & 0x7FFFu);
}
}

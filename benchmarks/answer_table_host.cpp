// The answer table and the host exports the script links against in the benchmark binary.
#include "answer_table_host.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <utility>

namespace bench {
namespace {

struct Entry {
    std::uint64_t hash = 0;
    std::uint64_t result[3] = {};
    AnswerEffect effect = nullptr;
};

// Open addressing over a power-of-two table; the script calls about seventy natives.
constexpr std::size_t tableSize = 256;
std::array<Entry, tableSize> table;
Entry unknownEntry;

Entry* current = &unknownEntry;
std::uint64_t args[16];
int argCount = 0;
HostCounters counters;

std::uint32_t clock = 0;
bool recording = false;
std::vector<RecordedCall> recorded;
std::array<bool, 256> keys{};

std::size_t slotOf(std::uint64_t hash) { return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> 56); }

Entry* find(std::uint64_t hash) {
    for (std::size_t i = slotOf(hash), probes = 0; probes < tableSize; i = (i + 1) % tableSize, ++probes) {
        if (table[i].hash == hash) return &table[i];
        if (table[i].hash == 0) return nullptr;
    }
    return nullptr;
}

Entry& entryFor(std::uint64_t hash) {
    if (Entry* found = find(hash)) return *found;
    for (std::size_t i = slotOf(hash);; i = (i + 1) % tableSize) {
        if (table[i].hash == 0) {
            table[i] = Entry{};
            table[i].hash = hash;
            return table[i];
        }
    }
}

std::uint64_t floatSlot(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

void clearAnswers() {
    table.fill(Entry{});
    counters = HostCounters{};
}

void answerInt(std::uint64_t hash, std::int32_t value) { entryFor(hash).result[0] = static_cast<std::uint32_t>(value); }
void answerFloat(std::uint64_t hash, float value) { entryFor(hash).result[0] = floatSlot(value); }
void answerVector(std::uint64_t hash, float x, float y, float z) {
    Entry& entry = entryFor(hash);
    entry.result[0] = floatSlot(x);
    entry.result[1] = floatSlot(y);
    entry.result[2] = floatSlot(z);
}
void answerWith(std::uint64_t hash, AnswerEffect effect) { entryFor(hash).effect = effect; }

void setTick(std::uint32_t tick) { clock = tick; }
std::uint32_t tick() { return clock; }
void setKey(int virtualKey, bool down) { keys[static_cast<std::size_t>(virtualKey & 0xFF)] = down; }
void releaseKeys() { keys.fill(false); }
const HostCounters& hostCounters() { return counters; }

}  // namespace bench

struct HINSTANCE__;
struct HWND__;

extern "C" {

void scriptRegister(HINSTANCE__* /*module*/, void (* /*entry*/)()) {}
void scriptUnregister(HINSTANCE__* /*module*/) {}
void scriptWait(unsigned long /*ms*/) { ++bench::counters.waits; }

void nativeInit(unsigned long long hash) {
    bench::Entry* entry = bench::find(hash);
    if (entry == nullptr) {
        ++bench::counters.unknownHashes;
        entry = &bench::unknownEntry;
    }
    bench::current = entry;
    bench::argCount = 0;
    if (bench::recording) bench::recorded.push_back(bench::RecordedCall{hash, {}});
}

void nativePush64(unsigned long long value) {
    bench::args[bench::argCount & 15] = value;
    ++bench::argCount;
    if (bench::recording) bench::recorded.back().args.push_back(value);
    ++bench::counters.pushes;
}

unsigned long long* nativeCall() {
    ++bench::counters.calls;
    bench::Entry* entry = bench::current;
    if (entry->effect != nullptr) entry->effect(bench::args, bench::argCount, entry->result);
    return reinterpret_cast<unsigned long long*>(entry->result);
}

std::uint32_t GetTickCount() { return bench::clock; }
// The script has no folder here: no settings file, no log.
std::uint32_t GetModuleFileNameW(HINSTANCE__* /*module*/, wchar_t* /*fileName*/, std::uint32_t /*size*/) { return 0; }
std::int16_t GetAsyncKeyState(int virtualKey) {
    return bench::keys[static_cast<std::size_t>(virtualKey & 0xFF)] ? static_cast<std::int16_t>(0x8000) : 0;
}
// The game's window always has the focus here: one window, owned by process 1.
HWND__* GetForegroundWindow() { return reinterpret_cast<HWND__*>(std::uintptr_t{1}); }
std::uint32_t GetWindowThreadProcessId(HWND__* /*window*/, std::uint32_t* processId) {
    if (processId != nullptr) *processId = 1;
    return 1;
}
std::uint32_t GetCurrentProcessId() { return 1; }

}  // extern "C"

namespace bench {

void startRecording() {
    recorded.clear();
    recording = true;
}

std::vector<RecordedCall> stopRecording() {
    recording = false;
    return std::move(recorded);
}

double replayNs(const std::vector<RecordedCall>& calls) {
    const HostCounters saved = counters;
    constexpr int rounds = 2000;
    double fastest = 0.0;
    for (int attempt = 0; attempt < 7; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        for (int round = 0; round < rounds; ++round) {
            for (const RecordedCall& call : calls) {
                nativeInit(call.hash);
                for (const std::uint64_t arg : call.args) nativePush64(arg);
                const unsigned long long* result = nativeCall();
                asm volatile("" : : "r"(result) : "memory");
            }
        }
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        const double perReplay = elapsed.count() / rounds;
        fastest = attempt == 0 ? perReplay : std::min(fastest, perReplay);
    }
    counters = saved;
    return fastest;
}

}  // namespace bench

// A minimal host for timing the script: each native's answer is a fixed table entry (or a small
// effect function), so that a pass's time is the script's work plus a host cost that is small,
// constant per call and measured on its own (see calibrateHostCost).
#pragma once

#include <cstdint>

namespace bench {

// Writes the answer into `result` from the pushed arguments (e.g. filling the nearby-peds buffer).
using AnswerEffect = void (*)(const std::uint64_t* args, int argCount, std::uint64_t* result);

void clearAnswers();
void answerInt(std::uint64_t hash, std::int32_t value);
void answerFloat(std::uint64_t hash, float value);
void answerVector(std::uint64_t hash, float x, float y, float z);
void answerWith(std::uint64_t hash, AnswerEffect effect);

void setTick(std::uint32_t tick);
std::uint32_t tick();
void setKey(int virtualKey, bool down);
void releaseKeys();

struct HostCounters {
    std::uint64_t calls = 0;
    std::uint64_t pushes = 0;
    std::uint64_t waits = 0;
    std::uint64_t unknownHashes = 0;
};
const HostCounters& hostCounters();

// Cost of the host's side of one call and of one pushed argument, in nanoseconds, measured by
// driving the same exported functions without the script.
struct HostCost {
    double perCallNs = 0.0;
    double perPushNs = 0.0;
};
HostCost calibrateHostCost();

}  // namespace bench

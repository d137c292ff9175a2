// A minimal host for timing the script: each native's answer is a fixed table entry (or a small
// effect function), so that a pass's time is the script's work plus a small host cost, which is
// measured on its own by replaying the pass's recorded calls without the script (replayNs).
#pragma once

#include <cstdint>
#include <vector>

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

// The calls of a stretch of passes, recorded so that the host's share can be timed on its own.
struct RecordedCall {
    std::uint64_t hash = 0;
    std::vector<std::uint64_t> args;
};
void startRecording();
std::vector<RecordedCall> stopRecording();
// Nanoseconds the host needs to take these calls, pushes and answers included, without the
// script: the recorded sequence is replayed through the same exported functions (fastest round).
double replayNs(const std::vector<RecordedCall>& calls);

}  // namespace bench

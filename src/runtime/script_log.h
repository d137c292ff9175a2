// TobekGunner.log beside the script: timestamped lines for a player to send with a bug report.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "runtime/types.h"

inline constexpr std::uint32_t logCapBytes = 1u << 20;
inline constexpr std::size_t logLineCapacity = 512;
inline constexpr Tick logRepeatMs = 1000;

// When each recent distinct line was last written, so a repeating event writes once a second.
struct RecentLogLine {
    std::uint32_t digest = 0;
    Tick writtenAt = 0;
    bool used = false;
};

struct LogState {
    std::FILE* file = nullptr;
    std::uint32_t bytesWritten = 0;
    bool full = false;
    std::array<RecentLogLine, 16> recent{};
    std::size_t nextRecent = 0;
};

// Creates TobekGunner.log afresh; without it every later line is dropped.
void openLog();
void closeLog();

// Writes one line (printf format, cut at logLineCapacity) unless the same line went out less
// than a second ago or the log is full. Never throws and allocates nothing.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void logLine(const char* format, ...);

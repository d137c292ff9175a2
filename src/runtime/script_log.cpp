// Formats into a buffer on the stack and writes straight to the file, flushed per line so the
// log is complete even when the game goes down with the script.
#include "runtime/script_log.h"

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstring>

#include "runtime/files.h"
#include "runtime/platform_calls.h"
#include "runtime/state.h"

namespace {

constexpr const char* logFileName = "TobekGunner.log";
constexpr const char fullNotice[] = "the log has reached 1 MiB; nothing more is written\n";

// FNV-1a: distinct lines only need distinct digests most of the time.
std::uint32_t digestOf(const char* text) {
    std::uint32_t digest = 2166136261u;
    for (; *text != '\0'; ++text) digest = (digest ^ static_cast<unsigned char>(*text)) * 16777619u;
    return digest;
}

// True when the line may go out now; records it as written.
bool passesRateLimit(std::uint32_t digest, Tick now) {
    LogState& log = state.log;
    for (RecentLogLine& recent : log.recent) {
        if (!recent.used || recent.digest != digest) continue;
        if (now - recent.writtenAt < logRepeatMs) return false;
        recent.writtenAt = now;
        return true;
    }
    log.recent[log.nextRecent] = RecentLogLine{digest, now, true};
    log.nextRecent = (log.nextRecent + 1) % log.recent.size();
    return true;
}

// "2026-12-09 04:52:29.123 " in UTC.
int writeTimestamp(char* out, std::size_t size) {
    using namespace std::chrono;
    const auto now = time_point_cast<milliseconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{now - day};
    return std::snprintf(out, size, "%04d-%02u-%02u %02d:%02d:%02d.%03d ", static_cast<int>(date.year()),
                         static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                         static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                         static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
}

void writeBytes(const char* text, std::size_t length) {
    std::fwrite(text, 1, length, state.log.file);
    std::fflush(state.log.file);
    state.log.bytesWritten += static_cast<std::uint32_t>(length);
}

// The closing notice always fits: room for it is kept back from every other line.
void writeLine(char* line, std::size_t length) {
    char stamped[logLineCapacity + 32];
    const int stampLength = writeTimestamp(stamped, sizeof stamped);
    if (stampLength <= 0) return;
    std::size_t total = static_cast<std::size_t>(stampLength);
    std::memcpy(stamped + total, line, length);
    total += length;
    stamped[total++] = '\n';
    if (state.log.bytesWritten + total + sizeof stamped > logCapBytes) {
        std::memcpy(stamped + stampLength, fullNotice, sizeof fullNotice - 1);
        total = static_cast<std::size_t>(stampLength) + sizeof fullNotice - 1;
        state.log.full = true;
    }
    writeBytes(stamped, total);
}

// Control bytes (from a settings file, say) would break the one-event-per-line layout.
void replaceControlBytes(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) text[i] = '?';
    }
}

}  // namespace

void openLog() {
    closeLog();
    state.log.file = createFileBeside(logFileName);
}

void closeLog() {
    if (state.log.file != nullptr) std::fclose(state.log.file);
    state.log = LogState{};
}

void logLine(const char* format, ...) {
    if (state.log.file == nullptr || state.log.full) return;
    char line[logLineCapacity];
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    if (written < 0) return;
    const std::size_t length = std::min(static_cast<std::size_t>(written), sizeof line - 1);
    replaceControlBytes(line, length);
    if (!passesRateLimit(digestOf(line), readTickCount())) return;
    writeLine(line, length);
}

// Streams the native-call trace of a run (one JSON line per call, as host/trace.h formats it)
// into a file through a large buffer, up to a size limit.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "host/call_record.h"

namespace scenario {

// A trace stops taking calls at this size unless asked otherwise (--trace-limit).
constexpr std::uint64_t defaultTraceLimit = std::uint64_t{256} << 20;

class TraceWriter {
public:
    explicit TraceWriter(std::FILE* file, std::uint64_t limit = defaultTraceLimit) : file_(file), limit_(limit) {}
    // Formats the call at once: its out-parameters are read from the script's memory. A call that
    // would take the trace past its limit is dropped, and so is every later one.
    void write(const sim::NativeCall& call);
    // A line that is not a call, such as the closing summary record; never dropped.
    void writeRecord(const std::string& line);
    // After the last record: when calls were dropped, a last line says so.
    void finish();
    bool cut() const { return cut_; }
    bool flush();

private:
    std::FILE* file_;
    std::uint64_t limit_;
    std::uint64_t size_ = 0;  // bytes of calls taken so far
    bool cut_ = false;
    std::string buffer_;
};

// The trace's last line when it was cut at `limit` bytes.
std::string traceCutLine(std::uint64_t limit);

}  // namespace scenario

// Streams the native-call trace of a run (one JSON line per call, as host/trace.h formats it)
// into a file through a large buffer.
#pragma once

#include <cstdio>
#include <string>

#include "host/call_record.h"

namespace scenario {

class TraceWriter {
public:
    explicit TraceWriter(std::FILE* file) : file_(file) {}
    // Formats the call at once: its out-parameters are read from the script's memory.
    void write(const sim::NativeCall& call);
    // A line that is not a call, such as the closing summary record.
    void writeRecord(const std::string& line);
    bool flush();

private:
    std::FILE* file_;
    std::string buffer_;
};

}  // namespace scenario

// The canonical native-call trace: one JSON object per call, pointer arguments shown by content.
#pragma once

#include "host/call_record.h"

#include <cstdio>
#include <string>

namespace scenario {

// Appends one call as a JSON line (with its newline). Integers, handles and booleans print as
// signed 32-bit numbers, hashes as "0x%08X", floats in their shortest exact decimal form, text as
// the string and out-parameters as {"out":[32-bit words after the call]}; a slot whose upper half
// is not zero prints as {"raw":"0x%016X"}, so two traces are equal only when the pushed bits are.
void appendTraceLine(const sim::NativeCall& call, std::string& out);

// Streams calls into a file through a large buffer.
class TraceWriter {
public:
    explicit TraceWriter(std::FILE* file) : file_(file) {}
    void write(const sim::NativeCall& call);
    bool flush();

private:
    std::FILE* file_;
    std::string buffer_;
};

}  // namespace scenario

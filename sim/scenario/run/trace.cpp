// Buffered writing of the canonical trace.
#include "scenario/run/trace.h"

#include "host/trace.h"

namespace scenario {

void TraceWriter::write(const sim::NativeCall& call) {
    buffer_ += sim::traceLine(call);
    buffer_ += '\n';
    if (buffer_.size() >= (1u << 20)) flush();
}

void TraceWriter::writeRecord(const std::string& line) {
    buffer_ += line;
    buffer_ += '\n';
}

bool TraceWriter::flush() {
    if (buffer_.empty()) return true;
    const bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
    buffer_.clear();
    return ok;
}

}  // namespace scenario

// Buffered writing of the canonical trace.
#include "scenario/run/trace.h"

#include "host/trace.h"

namespace scenario {

void TraceWriter::write(const sim::NativeCall& call) {
    if (cut_) return;
    const std::string line = sim::traceLine(call);
    if (size_ + line.size() + 1 > limit_) {
        cut_ = true;
        return;
    }
    size_ += line.size() + 1;
    buffer_ += line;
    buffer_ += '\n';
    if (buffer_.size() >= (1u << 20)) flush();
}

void TraceWriter::writeRecord(const std::string& line) {
    buffer_ += line;
    buffer_ += '\n';
}

void TraceWriter::finish() {
    if (cut_) writeRecord(traceCutLine(limit_));
}

bool TraceWriter::flush() {
    if (buffer_.empty()) return true;
    const bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
    buffer_.clear();
    return ok;
}

std::string traceCutLine(std::uint64_t limit) {
    return "{\"cut\":\"the trace reached its limit of " + std::to_string(limit) +
           " bytes; later calls are not in it (--trace-limit BYTES raises the limit)\"}";
}

}  // namespace scenario

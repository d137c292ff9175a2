// Canonical JSON Lines formatting of native calls.
#include "scenario/trace.h"

#include "host/native_table.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace scenario {
namespace {

constexpr std::uint64_t lowMask = 0xFFFFFFFFull;

void appendHex(std::string& out, std::uint64_t value, int digits) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    out += "0x";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += hexDigits[(value >> shift) & 0xF];
}

void appendQuotedHex(std::string& out, std::uint64_t value, int digits) {
    out += '"';
    appendHex(out, value, digits);
    out += '"';
}

void appendRaw(std::string& out, std::uint64_t slot) {
    out += "{\"raw\":";
    appendQuotedHex(out, slot, 16);
    out += '}';
}

void appendInt(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

void appendFloatBits(std::string& out, std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isnan(value)) {
        out += "{\"nan\":";
        appendQuotedHex(out, bits, 8);
        out += '}';
        return;
    }
    if (std::isinf(value)) {
        out += value > 0 ? "\"inf\"" : "\"-inf\"";
        return;
    }
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

void appendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            static constexpr char hexDigits[] = "0123456789abcdef";
            out += hexDigits[byte >> 4];
            out += hexDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

// How many 32-bit words an out-parameter holds after the call.
std::size_t pointerWords(const sim::NativeInfo& info, const sim::NativeCall& call) {
    if (info.name == "GET_PED_NEARBY_PEDS") {
        // A header of two words, then two per ped, for as many peds as the count returned
        // (never more than the capacity of 50 the buffer is made for).
        std::int32_t count = call.intResult();
        if (count < 0) count = 0;
        if (count > 50) count = 50;
        return 2 + 2 * static_cast<std::size_t>(count);
    }
    return 1;
}

void appendPointer(std::string& out, const sim::NativeInfo& info, const sim::NativeCall& call, std::uint64_t slot) {
    const auto* words = reinterpret_cast<const std::int32_t*>(static_cast<std::uintptr_t>(slot));
    if (words == nullptr) {
        out += "null";
        return;
    }
    out += "{\"out\":[";
    const std::size_t count = pointerWords(info, call);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) out += ',';
        std::int32_t word = 0;
        std::memcpy(&word, words + i, sizeof word);
        appendInt(out, word);
    }
    out += "]}";
}

void appendArgument(std::string& out, const sim::NativeInfo& info, const sim::NativeCall& call, int position,
                    std::size_t& textIndex) {
    const std::uint64_t slot = call.slots[static_cast<std::size_t>(position)];
    const sim::ArgKind kind = static_cast<std::size_t>(position) < info.args.size() ? sim::argKind(info, position) : sim::ArgKind::Int;
    if (kind == sim::ArgKind::Text) {
        if (slot == 0) {
            out += "null";
        } else {
            appendJsonString(out, textIndex < call.texts.size() ? call.texts[textIndex] : std::string());
        }
        ++textIndex;
        return;
    }
    if (kind == sim::ArgKind::Pointer) {
        appendPointer(out, info, call, slot);
        return;
    }
    if ((slot & ~lowMask) != 0) {
        appendRaw(out, slot);
        return;
    }
    const auto low = static_cast<std::uint32_t>(slot);
    switch (kind) {
        case sim::ArgKind::Float: appendFloatBits(out, low); break;
        case sim::ArgKind::Hash: appendQuotedHex(out, low, 8); break;
        default: appendInt(out, static_cast<std::int32_t>(low)); break;
    }
}

void appendScalarResult(std::string& out, sim::ResultKind kind, std::uint64_t slot) {
    if ((slot & ~lowMask) != 0) {
        appendRaw(out, slot);
        return;
    }
    const auto low = static_cast<std::uint32_t>(slot);
    switch (kind) {
        case sim::ResultKind::Float: appendFloatBits(out, low); break;
        case sim::ResultKind::Hash: appendQuotedHex(out, low, 8); break;
        default: appendInt(out, static_cast<std::int32_t>(low)); break;
    }
}

}  // namespace

void appendTraceLine(const sim::NativeCall& call, std::string& out) {
    out += "{\"frame\":";
    appendInt(out, static_cast<std::int64_t>(call.frame));
    out += ",\"tick\":";
    appendInt(out, call.tick);
    out += ",\"name\":";
    if (call.native < 0) {
        out += "null,\"hash\":";
        appendQuotedHex(out, call.hash, 16);
        out += ",\"args\":[";
        for (int i = 0; i < call.argCount; ++i) {
            if (i > 0) out += ',';
            appendQuotedHex(out, call.slots[static_cast<std::size_t>(i)], 16);
        }
        out += "],\"result\":null}\n";
        return;
    }
    const sim::NativeInfo& info = sim::nativeInfo(call.native);
    appendJsonString(out, std::string(info.name));
    out += ",\"hash\":";
    appendQuotedHex(out, call.hash, 16);
    out += ",\"args\":[";
    std::size_t textIndex = 0;
    for (int i = 0; i < call.argCount; ++i) {
        if (i > 0) out += ',';
        appendArgument(out, info, call, i, textIndex);
    }
    out += "],\"result\":";
    switch (info.result) {
        case sim::ResultKind::None: out += "null"; break;
        case sim::ResultKind::Vector:
            out += '[';
            for (std::size_t i = 0; i < 3; ++i) {
                if (i > 0) out += ',';
                appendScalarResult(out, sim::ResultKind::Float, call.result[i]);
            }
            out += ']';
            break;
        default: appendScalarResult(out, info.result, call.result[0]); break;
    }
    out += "}\n";
}

void TraceWriter::write(const sim::NativeCall& call) {
    appendTraceLine(call, buffer_);
    if (buffer_.size() >= (1u << 20)) flush();
}

bool TraceWriter::flush() {
    if (buffer_.empty()) return true;
    const bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
    buffer_.clear();
    return ok;
}

}  // namespace scenario

// JSON Lines trace of the native calls.
#include "host/trace.h"

#include "host/native_table.h"
#include "host/sim_host.h"
#include "host/slots.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace sim {
namespace {

void appendHex(std::string& out, std::uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "\"0x%016llX\"", static_cast<unsigned long long>(value));
    out += buffer;
}

void appendRaw(std::string& out, std::uint64_t slot) {
    out += "{\"raw\":";
    appendHex(out, slot);
    out += '}';
}

template <typename Integer>
void appendInteger(std::string& out, Integer value) {
    char buffer[24];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, written.ptr);
}

// Shortest text that reads back to the same float, so every build prints a value identically.
void appendFloat(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "\"nan\"" : (value > 0 ? "\"inf\"" : "\"-inf\"");
        return;
    }
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, written.ptr);
}

void appendString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            // Bytes outside printable ASCII are escaped one by one, so the line stays valid UTF-8
            // whatever 8-bit text the script pushed.
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(byte));
            out += buffer;
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendOut(std::string& out, std::uint64_t slot) {
    const auto* word = reinterpret_cast<const std::int32_t*>(static_cast<std::uintptr_t>(slot));
    if (word == nullptr) {
        out += "{\"out\":null}";
        return;
    }
    out += "{\"out\":";
    appendInteger(out, *word);
    out += '}';
}

// Appends one argument; `textIndex` walks the texts the host copied at call time.
void appendArgument(std::string& out, const NativeCall& call, ArgKind kind, int position, std::size_t& textIndex) {
    const std::uint64_t slot = call.slots[static_cast<std::size_t>(position)];
    if (kind == ArgKind::Text) {
        if (slot == 0) {
            out += "null";
        } else {
            appendString(out, textIndex < call.texts.size() ? call.texts[textIndex] : std::string());
        }
        ++textIndex;
        return;
    }
    if (kind == ArgKind::Pointer) {
        appendOut(out, slot);
        return;
    }
    if ((slot >> 32) != 0) {
        appendRaw(out, slot);
        return;
    }
    const auto low = static_cast<std::uint32_t>(slot);
    switch (kind) {
        case ArgKind::Int:
        case ArgKind::Entity:
            appendInteger(out, static_cast<std::int32_t>(low));
            break;
        case ArgKind::Float:
            appendFloat(out, floatFromSlot(low));
            break;
        default:
            appendInteger(out, low);
            break;
    }
}

void appendResult(std::string& out, const NativeCall& call, ResultKind kind) {
    const auto low = static_cast<std::uint32_t>(call.result[0]);
    switch (kind) {
        case ResultKind::None:
            out += "null";
            break;
        case ResultKind::Int:
        case ResultKind::Entity:
            appendInteger(out, static_cast<std::int32_t>(low));
            break;
        case ResultKind::Bool:
        case ResultKind::Hash:
            appendInteger(out, low);
            break;
        case ResultKind::Float:
            appendFloat(out, floatFromSlot(low));
            break;
        case ResultKind::Vector:
            out += '[';
            for (std::size_t i = 0; i < 3; ++i) {
                if (i > 0) out += ',';
                appendFloat(out, floatFromSlot(call.result[i]));
            }
            out += ']';
            break;
    }
}

}  // namespace

std::string traceLine(const NativeCall& call) {
    std::string out = "{\"frame\":";
    appendInteger(out, call.frame);
    out += ",\"tick\":";
    appendInteger(out, call.tick);
    out += ",\"name\":";
    appendString(out, call.name());
    out += ",\"hash\":";
    appendHex(out, call.hash);
    out += ",\"args\":[";
    const NativeInfo* info = call.native >= 0 ? &nativeInfo(call.native) : nullptr;
    std::size_t textIndex = 0;
    for (int i = 0; i < call.argCount; ++i) {
        if (i > 0) out += ',';
        if (info != nullptr && static_cast<std::size_t>(i) < info->args.size()) {
            appendArgument(out, call, argKind(*info, i), i, textIndex);
        } else {
            appendRaw(out, call.slots[static_cast<std::size_t>(i)]);
        }
    }
    out += "],\"result\":";
    if (info != nullptr) {
        appendResult(out, call, info->result);
    } else {
        out += '[';
        for (std::size_t i = 0; i < call.result.size(); ++i) {
            if (i > 0) out += ',';
            appendHex(out, call.result[i]);
        }
        out += ']';
    }
    out += '}';
    return out;
}

void traceCalls(SimHost& host, std::shared_ptr<std::ostream> out) {
    host.addCallObserver([out = std::move(out)](const NativeCall& call) { *out << traceLine(call) << '\n'; });
}

}  // namespace sim

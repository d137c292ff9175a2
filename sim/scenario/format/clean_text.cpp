// One pass over the bytes, decoding UTF-8 strictly (RFC 3629), escaping controls as it goes.
#include "scenario/format/clean_text.h"

#include <cstdint>
#include <cstdio>

namespace scenario {
namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 sequence at `at` and its code point; 0 when the bytes there
// are not one.
std::size_t sequenceAt(std::string_view text, std::size_t at, std::uint32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1Fu, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0Fu, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07u, lowest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    const bool nonCharacter = codePoint == 0xFFFE || codePoint == 0xFFFF;
    if (codePoint < lowest || codePoint > 0x10FFFF || surrogate || nonCharacter) return 0;
    return length;
}

bool isControl(std::uint32_t codePoint) {
    if (codePoint == '\t' || codePoint == '\n') return false;
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

std::string escapeOf(std::uint32_t codePoint) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, codePoint < 0x80 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(codePoint));
    return escaped;
}

}  // namespace

bool isCleanText(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        std::uint32_t codePoint = 0;
        const std::size_t length = sequenceAt(text, at, codePoint);
        if (length == 0 || isControl(codePoint)) return false;
        at += length;
    }
    return true;
}

std::string cleanText(std::string_view text) {
    if (isCleanText(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t at = 0; at < text.size();) {
        std::uint32_t codePoint = 0;
        const std::size_t length = sequenceAt(text, at, codePoint);
        if (length == 0) {
            out += replacement;
            ++at;
            continue;
        }
        if (isControl(codePoint)) {
            out += escapeOf(codePoint);
        } else {
            out.append(text, at, length);
        }
        at += length;
    }
    return out;
}

}  // namespace scenario

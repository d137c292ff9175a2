// A light pass over scenario text: it follows the TOML layout (keys, headers, strings, arrays,
// inline tables, comments) only far enough to find keys and nesting, never building anything.
#include "scenario/format/prescreen.h"

#include <unordered_map>

#include "scenario/format/parser.h"

namespace scenario {
namespace {

// Thrown where the text stops being TOML in a way the TOML reader reports by itself (it stops at
// the same place or earlier), so screening the rest is not needed.
struct LeaveToReader {};

struct Lexer {
    std::string_view text;
    const std::string& file;
    std::size_t pos = 0;
    std::int64_t line = 1;
    std::size_t lineStart = 0;
    std::size_t depth = 0;
    std::size_t values = 0;
    std::unordered_map<std::string, std::size_t> tableArrays{};  // [[header]] counts by spelling

    bool atEnd() const { return pos >= text.size(); }
    char peek(std::size_t ahead = 0) const { return pos + ahead < text.size() ? text[pos + ahead] : '\0'; }
    bool startsWith(std::string_view what) const { return text.substr(pos, what.size()) == what; }

    [[noreturn]] void fail(const std::string& reason) const {
        throw ScenarioError(Origin{file, line, static_cast<std::int64_t>(pos - lineStart) + 1}, "",
                            "TOML syntax error: " + reason);
    }
    void newLine() {
        ++line;
        lineStart = pos;
    }
};

bool bareKeyChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

bool nonAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

void skipSpaces(Lexer& in) {
    while (in.peek() == ' ' || in.peek() == '\t') ++in.pos;
}

void skipComment(Lexer& in) {
    if (in.peek() != '#') return;
    while (!in.atEnd() && in.peek() != '\n') ++in.pos;
}

// Spaces, comments and line breaks, as allowed between the items of an array.
void skipBlank(Lexer& in) {
    for (;;) {
        skipSpaces(in);
        skipComment(in);
        if (in.startsWith("\r\n")) ++in.pos;
        if (in.peek() != '\n') return;
        ++in.pos;
        in.newLine();
    }
}

// A quoted string from its opening quote; multi-line forms may span lines.
void skipString(Lexer& in) {
    const char quote = in.peek();
    const bool basic = quote == '"';
    const bool multiLine = in.startsWith(basic ? "\"\"\"" : "'''");
    in.pos += multiLine ? 3 : 1;
    for (;;) {
        if (in.atEnd()) throw LeaveToReader{};
        const char c = in.peek();
        if (basic && c == '\\') {
            in.pos += 2;
            continue;
        }
        if (c == '\n') {
            if (!multiLine) throw LeaveToReader{};
            ++in.pos;
            in.newLine();
            continue;
        }
        if (c == quote && (!multiLine || (in.peek(1) == quote && in.peek(2) == quote))) {
            in.pos += multiLine ? 3 : 1;
            // A multi-line string may end with up to two quotes of its own before the closing three.
            for (int extra = 0; multiLine && extra < 2 && in.peek() == quote; ++extra) ++in.pos;
            return;
        }
        ++in.pos;
    }
}

// A dotted key: bare or quoted parts joined by dots.
void readKey(Lexer& in) {
    std::size_t parts = 0;
    for (;;) {
        skipSpaces(in);
        const char c = in.peek();
        if (nonAscii(c)) in.fail("a key with a non-ASCII character must be written in quotes");
        if (c == '"' || c == '\'') {
            if (in.startsWith("\"\"\"") || in.startsWith("'''")) in.fail("a key cannot be a multi-line string");
            skipString(in);
        } else if (bareKeyChar(c)) {
            while (bareKeyChar(in.peek())) ++in.pos;
            if (nonAscii(in.peek())) in.fail("a key with a non-ASCII character must be written in quotes");
        } else {
            in.fail("expected a key (letters, digits, '_' and '-', or a quoted string)");
        }
        if (++parts > maxKeyParts) {
            in.fail("a key of more than " + std::to_string(maxKeyParts) + " dotted parts");
        }
        skipSpaces(in);
        if (in.peek() != '.') return;
        ++in.pos;
    }
}

void readValue(Lexer& in);

void enter(Lexer& in) {
    if (++in.depth > maxNesting) {
        in.fail("arrays and inline tables nested more than " + std::to_string(maxNesting) + " deep");
    }
    ++in.pos;
}

void countValue(Lexer& in) {
    if (++in.values > maxValues) in.fail("more than " + std::to_string(maxValues) + " values in one scenario");
}

void readArray(Lexer& in) {
    enter(in);
    for (std::size_t items = 1;; ++items) {
        skipBlank(in);
        if (in.peek() == ']') break;
        if (in.peek() == '}') in.fail("expected a value or ']', found '}'");
        if (items > maxArrayItems) in.fail("an array of more than " + std::to_string(maxArrayItems) + " items");
        readValue(in);
        skipBlank(in);
        if (in.peek() == ',') {
            ++in.pos;
            continue;
        }
        if (in.peek() != ']') throw LeaveToReader{};
        break;
    }
    ++in.pos;
    --in.depth;
}

void readInlineTable(Lexer& in) {
    enter(in);
    skipBlank(in);
    while (in.peek() != '}') {
        readKey(in);
        if (in.peek() != '=') throw LeaveToReader{};
        ++in.pos;
        readValue(in);
        skipBlank(in);
        if (in.peek() == ',') {
            ++in.pos;
            skipBlank(in);
        } else if (in.peek() != '}') {
            throw LeaveToReader{};
        }
    }
    ++in.pos;
    --in.depth;
}

// Numbers, booleans and dates: anything up to the next separator.
void readScalar(Lexer& in) {
    const std::size_t start = in.pos;
    while (!in.atEnd()) {
        const char c = in.peek();
        if (c == ',' || c == ']' || c == '}' || c == '#' || c == '\n' || c == '\r') break;
        if (nonAscii(c)) in.fail("a non-ASCII character outside a string");
        ++in.pos;
    }
    if (in.pos == start) throw LeaveToReader{};
}

void readValue(Lexer& in) {
    countValue(in);
    skipSpaces(in);
    const char c = in.peek();
    if (c == '"' || c == '\'') {
        skipString(in);
    } else if (c == '[') {
        readArray(in);
    } else if (c == '{') {
        readInlineTable(in);
    } else {
        readScalar(in);
    }
}

// A [table] or [[array of tables]] header.
void readHeader(Lexer& in) {
    const bool arrayOfTables = in.startsWith("[[");
    in.pos += arrayOfTables ? 2 : 1;
    const std::size_t keyStart = in.pos;
    readKey(in);
    if (arrayOfTables) {
        countValue(in);
        // Spelled alike is the same array here; other spellings of one key are rare enough to
        // be left to the total cap.
        const std::string key(in.text.substr(keyStart, in.pos - keyStart));
        if (++in.tableArrays[key] > maxArrayItems)
            in.fail("an array of more than " + std::to_string(maxArrayItems) + " tables");
    }
    if (!in.startsWith(arrayOfTables ? "]]" : "]")) throw LeaveToReader{};
    in.pos += arrayOfTables ? 2 : 1;
}

void readDocument(Lexer& in) {
    if (in.startsWith("\xEF\xBB\xBF")) in.pos += 3;  // a UTF-8 byte order mark
    for (;;) {
        skipBlank(in);
        if (in.atEnd()) return;
        if (in.peek() == '[') {
            readHeader(in);
        } else {
            readKey(in);
            if (in.peek() != '=') throw LeaveToReader{};
            ++in.pos;
            readValue(in);
        }
        skipSpaces(in);
        skipComment(in);
        if (in.startsWith("\r\n")) ++in.pos;
        if (!in.atEnd() && in.peek() != '\n') throw LeaveToReader{};
    }
}

}  // namespace

void prescreenScenario(std::string_view text, const std::string& file) {
    if (text.size() > maxScenarioBytes) {
        throw ScenarioError(
            Origin{file, 0, 0}, "",
            "the scenario is larger than the limit of " + std::to_string(maxScenarioBytes >> 20) + " MiB");
    }
    Lexer in{text, file};
    try {
        readDocument(in);
    } catch (const LeaveToReader&) {
        // The reader takes over where the screen stopped, outside any string: a non-ASCII
        // character there would reach the reader's unchecked Unicode tables.
        if (!in.atEnd() && nonAscii(in.peek())) in.fail("a non-ASCII character outside a string");
    }
}

}  // namespace scenario

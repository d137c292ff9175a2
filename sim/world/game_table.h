// Reading the game's bundled tables (models, vehicles, controls): tab-separated rows, '#' comments.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <system_error>
#include <vector>

namespace sim::gameTable {

// The next tab-separated field of `line`, which then holds what follows it.
std::string_view nextField(std::string_view& line);
// "0x" and hexadecimal digits, the whole field.
bool readHash(std::string_view text, std::uint32_t& hash);

// A decimal number, the whole field.
template <typename Number>
bool readNumber(std::string_view text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

// Each row of `text` that is neither blank nor a comment, by `parseRow(line, lineNumber)`.
template <typename Row, typename ParseRow>
std::vector<Row> readRows(std::string_view text, ParseRow parseRow) {
    std::vector<Row> rows;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        rows.push_back(parseRow(line, lineNumber));
    }
    return rows;
}

}  // namespace sim::gameTable

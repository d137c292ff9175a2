// Limits checked on scenario text before the TOML library reads it, so hostile text gets a clear
// error instead of reaching the library's deep recursion or its assertions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenario {

// The largest scenario read; the biggest real scenarios are a few hundred KiB.
constexpr std::size_t maxScenarioBytes = std::size_t{16} << 20;
// The most parts of one dotted key or table header ("a.b.c" has 3).
constexpr std::size_t maxKeyParts = 32;
// The deepest nesting of arrays and inline tables.
constexpr std::size_t maxNesting = 64;

// The most items of one array; an array of tables ([[timeline]]) counts its headers.
constexpr std::size_t maxArrayItems = 100000;
// The most values in the whole text (each item of an array, each value of a key, each
// [[header]]), so that no text makes the reader build more than some tens of MiB.
constexpr std::size_t maxValues = 500000;

// Throws ScenarioError when the text is too large, holds a key that is not a valid TOML key (bare
// words of A-Z, a-z, 0-9, _ and -, or quoted), a key of too many parts, values nested too deeply,
// a non-ASCII character outside a string or comment, an array of more than maxArrayItems items,
// more than maxValues values, or a closing brace where an array item belongs (which the reader
// would meet with an assertion instead of an error). Other syntax errors are left to the
// TOML reader, which reports them before reading any further.
void prescreenScenario(std::string_view text, const std::string& file);

}  // namespace scenario

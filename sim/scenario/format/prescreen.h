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

// Throws ScenarioError when the text is too large, holds a key that is not a valid TOML key (bare
// words of A-Z, a-z, 0-9, _ and -, or quoted), a key of too many parts, values nested too deeply,
// or a non-ASCII character outside a string or comment. Other syntax errors are left to the
// TOML reader, which reports them before reading any further.
void prescreenScenario(std::string_view text, const std::string& file);

}  // namespace scenario

// Text from a scenario or a settings file made safe to show: no control character reaches a
// terminal, a report or a JSON or XML file raw, and bytes that are not UTF-8 never leave the tool.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

// `text` with every control character (C0 other than tab and line feed, DEL, C1) written as a
// visible escape ("\x1b", "\u009b") and each byte that does not start valid UTF-8 (including
// surrogates, overlong forms and the non-characters U+FFFE and U+FFFF) replaced by U+FFFD.
// Valid UTF-8 text without control characters comes back unchanged.
std::string cleanText(std::string_view text);

// True when cleanText would change nothing, so the common case costs no copy.
bool isCleanText(std::string_view text);

}  // namespace scenario

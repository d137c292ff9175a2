// Friendly names of keys and mouse buttons, as a scenario writes them, and their virtual-key codes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// The virtual-key code of a name such as "ctrl", "i", "numpad2", "page_up" or "left_mouse", or
// as the settings write it: "Ctrl", "NumPad2", "PageUp", "MouseLeft" (any case).
std::optional<int> keyCode(std::string_view name);

// The name a scenario would use for a code ("ctrl" for 0x11), or a hex code for unnamed keys.
std::string keyName(int code);

// Every accepted name (the named keys once each, the patterned ones as ranges), for the "known:"
// list of error messages; made from the key tables.
std::string keyNameExamples();
// The named keys, each spelling (no letters, digits or numbered keys).
std::vector<std::string> namedKeyNames();
// "; did you mean 'PageDown'?" for a misspelt key name, or "".
std::string keyNameHint(std::string_view written);

// Splits "ctrl+i" into its parts; an empty part yields an empty string in the result.
std::vector<std::string> splitCombination(std::string_view text);

}  // namespace scenario

// Friendly names of keys and mouse buttons, as a scenario writes them, and their virtual-key codes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// The virtual-key code of a name such as "ctrl", "i", "numpad2", "page_up" or "left_mouse".
std::optional<int> keyCode(std::string_view name);

// The name a scenario would use for a code ("ctrl" for 0x11), or a hex code for unnamed keys.
std::string keyName(int code);

// A few of the accepted names, for error messages.
std::string keyNameExamples();

// Splits "ctrl+i" into its parts; an empty part yields an empty string in the result.
std::vector<std::string> splitCombination(std::string_view text);

}  // namespace scenario

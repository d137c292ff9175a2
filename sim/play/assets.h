// The play page's files, built into the program from sim/play/assets/.
#pragma once

#include <string_view>

namespace play {

extern const std::string_view playHtml;
extern const std::string_view playCss;
extern const std::string_view playJs;
extern const std::string_view playKeysJs;
// The world of a session started without a scenario: a road with a few peds.
extern const std::string_view defaultWorld;

}  // namespace play

// The report page's style sheet and script, kept apart from the HTML building.
#pragma once

#include <string>

namespace scenario {

const std::string& reportStyle();
const std::string& reportScript();

}  // namespace scenario

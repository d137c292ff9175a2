// The report page's style sheets and script, embedded from report_*.css and report_page.js at build time.
#pragma once

#include <string_view>

namespace scenario {

extern const std::string_view reportStyle;
extern const std::string_view reportMapStyle;
extern const std::string_view reportScript;

}  // namespace scenario

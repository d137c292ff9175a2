// Whether a path lies inside a folder: for settings kept beside their scenario and outputs kept out of the report.
#pragma once

#include <string>

namespace scenario {

// True when `path` would lie inside the folder `folder` (both need not exist yet).
bool isInsideFolder(const std::string& path, const std::string& folder);

}  // namespace scenario

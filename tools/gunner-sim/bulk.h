// Many scenarios in one call (a folder of them, several files or a pattern): one result line
// each, a total, and one JUnit document with a test suite per scenario.
#pragma once

#include <string>
#include <vector>

#include "options.h"

namespace gunner {

// More than one path, a folder, or a pattern that is not itself a file.
bool isBulk(const std::vector<std::string>& paths);
// 0 when every scenario passed, 1 when any failed or could not be read, 2 for a bad command line
// (an output that names one file per run, nothing to run), 3 when the JUnit file could not be
// written, scenario::exitPipeClosed when standard output was closed.
int runBulk(const Options& options);

}  // namespace gunner

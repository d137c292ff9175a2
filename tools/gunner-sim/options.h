// gunner-sim's command line.
#pragma once

#include <string>

namespace gunner {

struct Options {
    std::string scenarioPath;
    std::string tracePath;
    std::string reportDir;
    bool quiet = false;
    bool keepFailed = false;
    bool noProgress = false;
};

// Fills `options`; returns -1 to go on, or the exit status when the program should stop now
// (help shown, or a usage error already reported).
int parseOptions(int argc, char** argv, Options& options);

}  // namespace gunner

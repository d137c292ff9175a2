// gunner-sim's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenario/run/trace.h"

namespace gunner {

struct Options {
    std::vector<std::string> scenarioPaths;  // files, folders of *.toml, or patterns
    std::string tracePath;
    std::string reportDir;
    std::string jsonPath;
    std::string junitPath;
    std::uint64_t traceLimit = scenario::defaultTraceLimit;
    bool quiet = false;
    bool keepFailed = false;  // accepted for older scripts: every run keeps its outputs now
    bool noProgress = false;
    // --play: a live session in the browser instead of a run (the scenario, if any, gives the world).
    bool play = false;
    int port = 0;
    bool open = false;
    std::string recordPath;
};

// Fills `options`; returns -1 to go on, or the exit status when the program should stop now
// (help or version shown, or a usage error already reported).
int parseOptions(int argc, char** argv, Options& options);

}  // namespace gunner

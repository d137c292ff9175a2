// Checks on the paths of a run before anything is opened, so that no output can replace the
// scenario, its settings file or another output, and no output is written through a broken link.
#pragma once

#include <string>
#include <vector>

namespace scenario {

// A file the run reads or writes, with the words that name it in a message ("the trace").
struct RunPath {
    std::string path;  // "-" is a standard stream; "" is not used
    std::string role;
    bool isOutput = false;
};

// The one-line reason the outputs are unsafe, or "" when they are not: an output that is the
// same file as another path of the run (followed through links, as the system opens them), an
// output inside the report folder, or an output that is a link to nothing or a loop of links.
// Character devices such as /dev/null may take any number of outputs.
std::string unsafeOutputReason(const std::vector<RunPath>& paths, const std::string& reportDir);

// True when `path` names one of the process's own open streams (/dev/stdout, /dev/fd/2,
// /proc/self/fd/1, ...), which is written through its descriptor, never opened anew; sets `fd`.
bool isStreamAlias(const std::string& path, int& fd);

}  // namespace scenario

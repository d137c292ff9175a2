// Telling a closed pipe from other write faults.
#include "scenario/outputs/closed_pipe.h"

#ifndef _WIN32
#include <poll.h>
#include <unistd.h>

#include <csignal>
#endif

namespace scenario {

void ignoreBrokenPipes() {
#ifndef _WIN32
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

bool readerGone(std::FILE* file) {
    if (file == nullptr || std::ferror(file) == 0) return false;
#ifdef _WIN32
    return false;
#else
    // errno of the failed write may be long overwritten; the pipe itself still says it has no
    // reader: poll reports POLLERR on the write end of a pipe whose read end is closed.
    pollfd probe{fileno(file), POLLOUT, 0};
    return ::poll(&probe, 1, 0) == 1 && (probe.revents & POLLERR) != 0;
#endif
}

}  // namespace scenario

// A reader that went away: standard output piped into `head` that has read its fill. The run is
// told by a failed write (EPIPE, with SIGPIPE ignored), never killed by the signal, so it can
// stop cleanly and remove the script's temporary folder.
#pragma once

#include <cstdio>

namespace scenario {

// The exit status of a run whose standard output was closed: the shell's status of a tool
// killed by SIGPIPE (128 + 13), which pipelines already expect.
constexpr int exitPipeClosed = 141;

// From now on a write to a closed pipe fails with EPIPE instead of ending the process.
void ignoreBrokenPipes();
// True when a write to `file` has failed because nothing reads it any more. Cheap while no write
// has failed (the stream's error flag is tested first).
bool readerGone(std::FILE* file);

}  // namespace scenario

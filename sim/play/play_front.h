// gunner-sim --play: a live session of the script served to a browser until Ctrl+C.
#pragma once

#include <functional>
#include <string>

#include "host/sim_host.h"
#include "scenario/run/run.h"

namespace play {

struct PlayRequest {
    std::string scenarioPath;  // its world; empty: the default road
    int port = 0;
    bool open = false;       // starts the browser on the page
    std::string recordPath;  // where Save, and the end of the session, write the recording
    sim::ScriptModule module;
    std::function<scenario::ScriptView()> probe;
    std::function<bool()> interrupted;
};

// Runs the session; the exit status (0, or 2 for bad input or a port that cannot be had).
int playLive(const PlayRequest& request);

// Writes the session's recording to `path` (and its settings beside it); "" or why not.
std::string saveRecording(const class Session& session, const std::string& path);

}  // namespace play

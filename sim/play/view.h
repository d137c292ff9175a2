// The page's picture of a live session as JSON: the script's screen, the map, the wanted level,
// the attack mode and the narration.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/sim_host.h"
#include "play/recorder.h"
#include "scenario/run/run.h"

namespace play {

struct ViewInput {
    const sim::SimHost& host;
    const scenario::Tracker& tracker;
    const scenario::ScriptView& script;
    const Moment& moment;
    bool paused = false;
    double speed = 1.0;
    bool ended = false;
};

std::string viewJson(const ViewInput& input);

// The narration lines from index `from` on, each with its index, as a JSON array: a page that
// missed views still gets every line. At most the newest `maxLines`.
constexpr std::size_t maxLines = 400;
std::string linesJson(const std::vector<scenario::NarrationLine>& lines, std::size_t from);

}  // namespace play

// What the timeline events' and the expectation checks' functions work with: the entry being read,
// and the run being played or checked.
#pragma once

#include <vector>

#include "scenario/format/kind_input.h"
#include "scenario/format/kinds.h"
#include "scenario/narration/narration_text.h"
#include "scenario/run/kind_stage.h"

namespace scenario {

// The event kinds of timeline_events.cpp and world_events.cpp, in that order.
std::vector<EventKind> inputEvents();
std::vector<EventKind> worldEvents();

}  // namespace scenario

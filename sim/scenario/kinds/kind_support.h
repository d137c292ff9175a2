// What the timeline events' and the expectation checks' functions work with: the entry being read,
// and the run being played or checked.
#pragma once

#include <string>
#include <vector>

#include "scenario/format/kind_input.h"
#include "scenario/format/kinds.h"
#include "scenario/narration/narration_text.h"
#include "scenario/run/kind_stage.h"

namespace scenario {

// The checks of the gunner's set-up, of hits, of the order of targets and of when a ped went
// down (crew_checks.cpp), after those of expectation_kinds.cpp.
std::vector<CheckKind> crewChecks();

// The event kinds of timeline_events.cpp and world_events.cpp, in that order.
std::vector<EventKind> inputEvents();
std::vector<EventKind> worldEvents();
// The game's camera views and cutscenes (game_events.cpp), after those.
std::vector<EventKind> gameEvents();
// Peds brought in by the timeline (ped_events.cpp), last.
std::vector<EventKind> pedEvents();
// A count written `N` or `{ min = A, max = B }` (into min and max), and how it is told.
void readCountRange(const parse::CheckInput& in, Expectation check);
std::string countRangeText(const Expectation& check, const std::string& noun);
// The checks of how the game played (game_checks.cpp), after those of expectation_kinds.cpp.
std::vector<CheckKind> gameChecks();

}  // namespace scenario

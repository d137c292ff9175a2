// One scenario played by the linked script from start to exit status, shared by the single and
// the bulk run.
#pragma once

#include "scenario/outputs/front_end.h"

namespace gunner {

// A finished run, for a caller that writes its own records of it.
struct Played {
    bool ran = false;
    scenario::Scenario scenario;
    scenario::RunResult result;
};

// The front end's exit status; `kept`, when given, receives the scenario and result if it ran. A closed
// standard output ends the run at that frame (scenario::exitPipeClosed), and an interrupt ends
// the program by its signal.
int runOne(const scenario::FrontEndRequest& request, Played* kept = nullptr);

}  // namespace gunner

// Scenario runs inside the Windows build of the simulated host: the scenario engine lives in the
// substitute ScriptHookV.dll next to the one host, and a runner program drives it through this API.
#pragma once

#include "host/host_api.h"

// Reads the scenario and prepares the host for it (clock, world, observers, the trace when
// `tracePath` is not empty); call before the script is loaded. 0 on bad input, with the message
// in simScenarioError().
SIM_API int simScenarioLoad(const char* scenarioPath, const char* tracePath);
SIM_API const char* simScenarioError();
// The folder the loaded scenario gives the script (its settings file is already there): the
// runner loads a copy of the script from it, so the script finds its files beside itself.
SIM_API const char* simScenarioScriptFolder();

// Plays the loaded scenario against the registered script, printing the narration (unless
// `quiet`) and the summary on standard output. Returns the exit status: 0 when every expectation
// held, 1 when one failed or the host found a protocol error, 3 when the trace could not be written.
SIM_API int simScenarioRun(int quiet);

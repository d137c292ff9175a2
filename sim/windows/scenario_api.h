// Scenario runs inside the Windows build of the simulated host: the scenario engine lives in the
// substitute ScriptHookV.dll next to the one host, and a runner program drives it through this API.
#pragma once

#include "host/host_api.h"

// Reads the scenario, opens the trace when `tracePath` is not empty, and prepares the host for
// the scenario (clock, world, observers); call before the script is loaded. Returns 0, or the
// exit status (2 bad input, 3 the trace cannot be written) with the reason on standard error.
// `quiet` leaves out the narration and the summary, as gunner-sim's --quiet does.
SIM_API int simScenarioLoad(const char* scenarioPath, const char* tracePath, int quiet);
// The folder the loaded scenario gives the script (its settings file is already there): the
// runner loads a copy of the script from it, so the script finds its files beside itself.
SIM_API const char* simScenarioScriptFolder();

// Plays the loaded scenario against the registered script, printing what gunner-sim prints.
// Returns gunner-sim's exit status: 0 when every expectation held, 1 when one failed or the host
// found a protocol error, 3 when the trace could not be written.
SIM_API int simScenarioRun();

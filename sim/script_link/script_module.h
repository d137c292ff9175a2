// How the Linux build hands the linked-in script to the simulated host.
#pragma once

#include "host/sim_host.h"

namespace sim {

// The script library linked into this program: its state reset and its DllMain.
ScriptModule linkedScript();

}  // namespace sim

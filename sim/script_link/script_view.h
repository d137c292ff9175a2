// What the linked script's own state record says, for checking the narration against it.
#pragma once

#include "scenario/run/run.h"

namespace sim {

// Reads the attack mode, the target and whether the crew is held from the script's state record
// (read only), as gunner-sim, its tests and its benchmark pass it to the scenario runner.
scenario::ScriptView readLinkedScriptView();

}  // namespace sim

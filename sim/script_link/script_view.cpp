// Reads the linked script's state record for the scenario runner.
#include "script_link/script_view.h"

#include "host/sim_host.h"
#include "runtime/state.h"

namespace sim {

scenario::ScriptView readLinkedScriptView() {
    scenario::ScriptView view;
    view.attackMode = state.attackMode;
    view.targetPed = state.targetPed;
    const SimHost* host = SimHost::current();
    view.crewExists = host != nullptr && state.crewVehicle != 0 && host->world().entities.exists(state.crewVehicle) &&
                      host->world().entities.exists(state.gunnerPed);
    return view;
}

}  // namespace sim

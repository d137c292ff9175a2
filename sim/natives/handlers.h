// Registration of the simulated host's native handlers, one function per area of the game.
#pragma once

#include "host/native_table.h"
#include "host/sim_host.h"

namespace sim {

void registerScreenHandlers(SimHost& host);
void registerWorldHandlers(SimHost& host);
// Called by registerWorldHandlers: the ped, task and combat natives.
void registerPedHandlers(SimHost& host);
// Called by registerWorldHandlers: the camera's rotation, model boxes, controls and cutscenes.
void registerGameHandlers(SimHost& host);

}  // namespace sim

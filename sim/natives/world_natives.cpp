// Natives about the game world: entities, models, the player, tasks, combat and the wanted level.
#include "natives/handlers.h"

namespace sim {

void registerWorldHandlers(SimHost& /*host*/) {}

}  // namespace sim

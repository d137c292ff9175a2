// Crew spawning.
#include "crew/spawn.h"

void spawnCrew() {}

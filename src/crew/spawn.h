// Crew spawning: the chosen vehicle beside the player with the armed gunner in its gun seat.
#pragma once

void spawnCrew();

// Crew spawning: the chosen vehicle ahead of the player with the armed gunner in its gun seat.
#pragma once

// Builds the crew for the menu's current selection, replacing any previous crew.
void spawnCrew();

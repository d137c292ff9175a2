// Key E steps the gunner's attack mode while the player uses the crew vehicle.
#pragma once

void cycleAttackMode();

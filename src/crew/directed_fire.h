// Player-directed fire: keeps the gunner seated and fit, and in mode 0 fires where the camera points.
#pragma once

void updatePlayerDirectedFire();

// The Ctrl+I vehicle menu in the top-left corner of the screen.
#pragma once

void runVehicleMenu();

// Disables, for this frame, each game control that shares a key with the menu's (the game
// re-enables them every frame), so working the menu does not also fly or skip anything.
void holdBackMenuControls();

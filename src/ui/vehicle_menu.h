// The Ctrl+I vehicle menu in the top-left corner of the screen.
#pragma once

void runVehicleMenu();

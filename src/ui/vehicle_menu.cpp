// The vehicle menu.
#include "ui/vehicle_menu.h"

void runVehicleMenu() {}

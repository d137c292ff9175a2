// Automatic targeting: a scan a second for the nearest visible accepted ped, shots at it between scans.
#pragma once

void updateAutomaticTargeting();

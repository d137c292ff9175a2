// Shot orders for the gunner and the wanted level that every order pushes up.
#pragma once

#include "runtime/types.h"

// Scatters `point` in place by the current aimSpread, then orders the gunner to fire at it.
void shootAtPoint(Vector3& point);

// Shot orders are more than 100 ms of frameTick apart, whichever fire path gives them. True when
// that gap has passed since the last order; the next gap then runs from this frame.
bool claimShotTurn();

// The game's shoot task fires on until another task replaces it. After a shot order, and only
// then, orders the gunner to aim at `point` instead, which ends the fire; later calls do nothing.
void stopFireAt(const Vector3& point);

// Advances the wanted-level accumulator by one shot order and applies a new whole level.
void raiseWantedLevel();

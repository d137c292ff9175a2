// The per-frame crew supervisor: watches the crew and dispatches the fire logic.
#pragma once

void superviseCrew();

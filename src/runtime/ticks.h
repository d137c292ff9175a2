// Wrap-safe comparisons of 32-bit millisecond ticks, used by every throttle and the status message.
#pragma once

#include "runtime/types.h"

// A stored tick lies behind `now` when it is not later, or when the clock has wrapped since it
// was stored (the two are then more than half the tick range apart).
inline bool tickIsBehind(Tick stored, Tick now) { return now >= stored || stored - now > 0x80000000u; }

// A throttle lets its work run when more than `period` ms have passed since `stored`. A stored
// tick ahead of `now` (a fresh clock stamp taken later in the same pass) holds the work back.
inline bool throttlePassed(Tick stored, Tick now, Tick period) {
    return tickIsBehind(stored, now) && now - stored > period;
}

// A stamp ahead of `now` counts as just taken, so its interval has not begun to run out.
inline bool intervalRunning(Tick stamp, Tick now, Tick duration) {
    return !tickIsBehind(stamp, now) || now - stamp < duration;
}

// Ctrl+C and SIGTERM during a run: the handler only notes the signal; the run stops at the end of
// its frame, the outputs are cleaned up as after any failed run, and the tool then dies of the
// same signal.
#pragma once

namespace gunner {

void catchInterrupts();
// The signal caught, or 0.
int caughtInterrupt();
// Dies of the caught signal with its default action, as the caller expects of an interrupted tool.
[[noreturn]] void dieOfCaughtInterrupt();

}  // namespace gunner

// Signal handling for gunner-sim.
#include "interrupt.h"

#include <signal.h>

#include <csignal>
#include <cstdlib>

namespace gunner {
namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void noteSignal(int signal) { caught = signal; }

}  // namespace

// Without SA_RESTART: a signal that arrives while open() or read() waits on a pipe or a terminal
// makes that call fail with EINTR, so the tool notices it instead of waiting on.
void catchInterrupts() {
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int caughtInterrupt() { return caught; }

void dieOfCaughtInterrupt() {
    const int signal = caught;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace gunner

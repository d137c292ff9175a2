// Signal handling for gunner-sim.
#include "interrupt.h"

#include <csignal>
#include <cstdlib>

namespace gunner {
namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void noteSignal(int signal) { caught = signal; }

}  // namespace

void catchInterrupts() {
    std::signal(SIGINT, noteSignal);
    std::signal(SIGTERM, noteSignal);
}

int caughtInterrupt() { return caught; }

void dieOfCaughtInterrupt() {
    const int signal = caught;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace gunner

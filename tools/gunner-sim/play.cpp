// Playing one scenario: the front end around the run of the linked script.
#include "play.h"

#include <cstdio>

#include "interrupt.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace gunner {

int play(const scenario::FrontEndRequest& request, Played* kept) {
    scenario::FrontEnd frontEnd(request);
    if (const int status = frontEnd.prepare(); status != scenario::exitPassed) return status;
    scenario::RunOptions runOptions = frontEnd.runOptions();
    runOptions.probe = sim::readLinkedScriptView;
    runOptions.stopRequested = [&frontEnd] { return caughtInterrupt() != 0 || frontEnd.outputClosed(); };

    frontEnd.begin();
    const scenario::RunResult result = scenario::runScenario(frontEnd.scenario(), sim::linkedScript(), runOptions);
    if (caughtInterrupt() != 0) {
        frontEnd.abandon();
        std::fprintf(stderr, "%s: interrupted; no outputs kept\n", request.program.c_str());
        dieOfCaughtInterrupt();
    }
    if (kept != nullptr) *kept = Played{true, frontEnd.scenario(), result};
    return frontEnd.finish(result);
}

}  // namespace gunner

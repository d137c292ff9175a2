// Playing one scenario: the front end around the run of the linked script.
#include "run_one.h"

#include <cstdio>

#include "interrupt.h"
#include "scenario/run/script_folder.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace gunner {

namespace {

[[noreturn]] void dieInterrupted(scenario::FrontEnd& frontEnd, const std::string& program) {
    frontEnd.abandon();
    std::fprintf(stderr, "%s: interrupted; no outputs kept\n", program.c_str());
    dieOfCaughtInterrupt();
}

}  // namespace

int runOne(const scenario::FrontEndRequest& request, Played* kept) {
    scenario::FrontEnd frontEnd(request);
    const int prepared = frontEnd.prepare();
    // A signal while opening or reading a pipe ends that call early; the run must not go on.
    if (caughtInterrupt() != 0) dieInterrupted(frontEnd, request.program);
    if (prepared != scenario::exitPassed) return prepared;
    scenario::RunOptions runOptions = frontEnd.runOptions();
    runOptions.probe = sim::readLinkedScriptView;
    runOptions.stopRequested = [&frontEnd] { return caughtInterrupt() != 0 || frontEnd.outputClosed(); };

    frontEnd.begin();
    scenario::RunResult result;
    try {
        result = scenario::runScenario(frontEnd.scenario(), sim::linkedScript(), runOptions);
    } catch (const scenario::ScriptFolderError& error) {
        frontEnd.abandon();
        std::fprintf(stderr, "%s: error: %s\n", request.program.c_str(), error.what());
        return scenario::exitOutputFault;
    }
    if (caughtInterrupt() != 0) dieInterrupted(frontEnd, request.program);
    if (kept != nullptr) *kept = Played{true, frontEnd.scenario(), result};
    return frontEnd.finish(result);
}

}  // namespace gunner

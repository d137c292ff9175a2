// gunner-sim: runs the real script in the simulated world from a scenario file and tells the story.
#include <unistd.h>

#include <cstdio>

#include "interrupt.h"
#include "options.h"
#include "scenario/outputs/front_end.h"
#include "scenario/run/script_folder.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace {

scenario::FrontEndRequest requestOf(const gunner::Options& options) {
    scenario::FrontEndRequest request;
    request.scenarioPath = options.scenarioPath;
    request.tracePath = options.tracePath;
    request.reportDir = options.reportDir;
    request.jsonPath = options.jsonPath;
    request.junitPath = options.junitPath;
    request.traceLimit = options.traceLimit;
    request.quiet = options.quiet;
    request.progress = !options.noProgress && isatty(fileno(stderr)) != 0;
    return request;
}

[[noreturn]] void dieInterrupted(scenario::FrontEnd& frontEnd) {
    frontEnd.abandon();
    std::fprintf(stderr, "gunner-sim: interrupted; no outputs kept\n");
    gunner::dieOfCaughtInterrupt();
}

int run(const gunner::Options& options) {
    scenario::FrontEnd frontEnd(requestOf(options));
    const int prepared = frontEnd.prepare();
    // A signal while opening or reading a pipe ends that call early; the run must not go on.
    if (gunner::caughtInterrupt() != 0) dieInterrupted(frontEnd);
    if (prepared != scenario::exitPassed) return prepared;
    scenario::RunOptions runOptions = frontEnd.runOptions();
    runOptions.probe = sim::readLinkedScriptView;
    runOptions.stopRequested = [] { return gunner::caughtInterrupt() != 0; };

    frontEnd.begin();
    scenario::RunResult result;
    try {
        result = scenario::runScenario(frontEnd.scenario(), sim::linkedScript(), runOptions);
    } catch (const scenario::ScriptFolderError& error) {
        frontEnd.abandon();
        std::fprintf(stderr, "gunner-sim: error: %s\n", error.what());
        return scenario::exitOutputFault;
    }
    if (gunner::caughtInterrupt() != 0) dieInterrupted(frontEnd);
    return frontEnd.finish(result);
}

}  // namespace

int main(int argc, char** argv) {
    gunner::Options options;
    if (const int status = gunner::parseOptions(argc, argv, options); status >= 0) return status;
    gunner::catchInterrupts();
    return run(options);
}

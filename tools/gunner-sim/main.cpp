// gunner-sim: runs the real script in the simulated world from a scenario file and tells the story.
#include <unistd.h>

#include <cstdio>

#include "interrupt.h"
#include "options.h"
#include "play/play_front.h"
#include "scenario/front_end.h"
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
    request.quiet = options.quiet;
    request.progress = !options.noProgress && isatty(fileno(stderr)) != 0;
    return request;
}

int run(const gunner::Options& options) {
    scenario::FrontEnd frontEnd(requestOf(options));
    if (const int status = frontEnd.prepare(); status != scenario::exitPassed) return status;
    scenario::RunOptions runOptions = frontEnd.runOptions();
    runOptions.probe = sim::readLinkedScriptView;
    runOptions.stopRequested = [] { return gunner::caughtInterrupt() != 0; };

    frontEnd.begin();
    const scenario::RunResult result = scenario::runScenario(frontEnd.scenario(), sim::linkedScript(), runOptions);
    if (gunner::caughtInterrupt() != 0) {
        frontEnd.abandon();
        std::fprintf(stderr, "gunner-sim: interrupted; no outputs kept\n");
        gunner::dieOfCaughtInterrupt();
    }
    return frontEnd.finish(result);
}

int playLive(const gunner::Options& options) {
    play::PlayRequest request;
    request.scenarioPath = options.scenarioPath;
    request.port = options.port;
    request.open = options.open;
    request.recordPath = options.recordPath;
    request.module = sim::linkedScript();
    request.probe = sim::readLinkedScriptView;
    request.interrupted = [] { return gunner::caughtInterrupt() != 0; };
    return play::playLive(request);
}

}  // namespace

int main(int argc, char** argv) {
    gunner::Options options;
    if (const int status = gunner::parseOptions(argc, argv, options); status >= 0) return status;
    gunner::catchInterrupts();
    return options.play ? playLive(options) : run(options);
}

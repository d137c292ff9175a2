// gunner-sim: runs the real script in the simulated world from a scenario file and tells the story.
#include <unistd.h>

#include <cstdio>

#include "bulk.h"
#include "interrupt.h"
#include "options.h"
#include "play/play_front.h"
#include "run_one.h"
#include "scenario/outputs/closed_pipe.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace {

scenario::FrontEndRequest requestOf(const gunner::Options& options) {
    scenario::FrontEndRequest request;
    request.scenarioPath = options.scenarioPaths.front();
    request.tracePath = options.tracePath;
    request.reportDir = options.reportDir;
    request.jsonPath = options.jsonPath;
    request.junitPath = options.junitPath;
    request.traceLimit = options.traceLimit;
    request.quiet = options.quiet;
    request.progress = !options.noProgress && isatty(fileno(stderr)) != 0;
    return request;
}

int playLive(const gunner::Options& options) {
    play::PlayRequest request;
    request.scenarioPath = options.scenarioPaths.empty() ? std::string() : options.scenarioPaths.front();
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
    if (options.play) return playLive(options);
    scenario::ignoreBrokenPipes();
    if (gunner::isBulk(options.scenarioPaths)) return gunner::runBulk(options);
    return gunner::runOne(requestOf(options));
}

// The scenario engine's entry points in the substitute ScriptHookV.dll.
#define SIM_BUILDING_HOST_DLL
#include "windows/scenario_api.h"

#include <cstdio>
#include <memory>
#include <string>

#include "host/sim_host.h"
#include "scenario/outputs/front_end.h"
#include "scenario/run/run.h"

namespace {

constexpr const char* programName = "TobekGunnerScenario";

struct Loaded {
    std::unique_ptr<scenario::FrontEnd> frontEnd;
    std::unique_ptr<scenario::ScenarioRun> run;
};

std::unique_ptr<Loaded> loaded;
std::string scriptFolder;

}  // namespace

SIM_API int simScenarioLoad(const char* scenarioPath, const char* tracePath, int quiet) {
    if (loaded) {
        std::fprintf(stderr, "%s: error: a scenario is already loaded in this process\n", programName);
        return scenario::exitBadInput;
    }
    scenario::FrontEndRequest request;
    request.program = programName;
    request.scenarioPath = scenarioPath != nullptr ? scenarioPath : "";
    request.tracePath = tracePath != nullptr ? tracePath : "";
    request.quiet = quiet != 0;
    auto next = std::make_unique<Loaded>();
    next->frontEnd = std::make_unique<scenario::FrontEnd>(request);
    if (const int status = next->frontEnd->prepare(); status != scenario::exitPassed) return status;
    // Any call of the API makes the process's one host; the engine then finds it as current.
    simFrame();
    sim::SimHost* host = sim::SimHost::current();
    next->run =
        std::make_unique<scenario::ScenarioRun>(next->frontEnd->scenario(), *host, next->frontEnd->runOptions());
    next->run->prepare();
    scriptFolder = next->run->scriptFolder();
    loaded = std::move(next);
    return scenario::exitPassed;
}

SIM_API const char* simScenarioScriptFolder() { return scriptFolder.c_str(); }

SIM_API int simScenarioRun() {
    if (!loaded) {
        std::fprintf(stderr, "%s: error: no scenario loaded\n", programName);
        return scenario::exitBadInput;
    }
    loaded->frontEnd->begin();
    const scenario::RunResult result = loaded->run->run();
    return loaded->frontEnd->finish(result);
}

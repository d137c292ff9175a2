// The scenario engine's entry points in the substitute ScriptHookV.dll.
#define SIM_BUILDING_HOST_DLL
#include "windows/scenario_api.h"

#include <memory>
#include <optional>
#include <string>

#include "host/sim_host.h"
#include "scenario/console.h"
#include "scenario/output_file.h"
#include "scenario/parser.h"
#include "scenario/run.h"
#include "scenario/run_records.h"

namespace {

struct Loaded {
    scenario::Scenario scenario;
    std::unique_ptr<scenario::PendingFile> trace;
    std::optional<scenario::TraceWriter> writer;
    std::unique_ptr<scenario::ScenarioRun> run;
};

std::unique_ptr<Loaded> loaded;
std::string lastError;
std::string scriptFolder;

}  // namespace

SIM_API int simScenarioLoad(const char* scenarioPath, const char* tracePath) {
    if (loaded) {
        lastError = "a scenario is already loaded in this process";
        return 0;
    }
    auto next = std::make_unique<Loaded>();
    try {
        next->scenario = scenario::loadScenario(scenarioPath != nullptr ? scenarioPath : "");
    } catch (const scenario::ScenarioError& error) {
        lastError = error.what();
        return 0;
    }
    next->trace = std::make_unique<scenario::PendingFile>(tracePath != nullptr ? tracePath : "");
    if (next->trace->wanted() && !next->trace->ok()) {
        lastError = "cannot write " + next->trace->path() + ": " + next->trace->problem();
        return 0;
    }
    // Any call of the API makes the process's one host; the engine then finds it as current.
    simFrame();
    sim::SimHost* host = sim::SimHost::current();
    scenario::RunOptions options;
    if (next->trace->ok()) {
        next->writer.emplace(next->trace->file());
        options.trace = &*next->writer;
    }
    next->run = std::make_unique<scenario::ScenarioRun>(next->scenario, *host, options);
    next->run->prepare();
    scriptFolder = next->run->scriptFolder();
    loaded = std::move(next);
    return 1;
}

SIM_API const char* simScenarioError() { return lastError.c_str(); }

SIM_API const char* simScenarioScriptFolder() { return scriptFolder.c_str(); }

SIM_API int simScenarioRun(int quiet) {
    if (!loaded) {
        lastError = "no scenario loaded";
        return 2;
    }
    scenario::Printer printer(stdout, quiet != 0, "TobekGunnerScenario");
    printer.header(loaded->scenario);
    const scenario::RunResult result = loaded->run->run();
    for (const auto& line : result.narration) printer.line(line);
    printer.summary(result);
    bool traceOk = true;
    if (loaded->writer) {
        loaded->writer->writeRecord(scenario::traceSummaryLine(result));
        traceOk = loaded->writer->flush();
    }
    if (loaded->trace->wanted()) {
        traceOk = traceOk && loaded->trace->commit();
        if (traceOk) std::printf("trace written to %s\n", loaded->trace->path().c_str());
    }
    std::fflush(stdout);
    if (!traceOk) {
        std::fprintf(stderr, "TobekGunnerScenario: error: cannot write %s: %s\n", loaded->trace->path().c_str(),
                     loaded->trace->failure().c_str());
        return 3;
    }
    if (!result.passed()) printer.failures(result);
    printer.result(loaded->scenario, result);
    return result.passed() ? 0 : 1;
}

// Plays a scenario file against the real TobekGunner.asi in this process, with the simulated host
// of the substitute ScriptHookV.dll: the Windows counterpart of gunner-sim, for comparing traces.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "windows/scenario_api.h"
#include "windows/script_loader.h"

namespace {

const char* const usage =
    "usage: TobekGunnerScenario SCENARIO.toml [--trace FILE.jsonl] [--script FILE.asi] [--quiet]\n"
    "Plays the scenario against the script (default: TobekGunner.asi beside this program) and prints\n"
    "the narrated run and its summary; --trace writes every native call as JSON Lines.\n";

}  // namespace

int main(int argc, char** argv) {
    std::string scenarioPath, tracePath, scriptPath;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--trace" || arg == "--script") && i + 1 < argc) {
            (arg == "--trace" ? tracePath : scriptPath) = argv[++i];
        } else if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else if (!arg.empty() && arg[0] != '-' && scenarioPath.empty()) {
            scenarioPath = arg;
        } else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    if (scenarioPath.empty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (scriptPath.empty()) scriptPath = sim::scriptBesideProgram();

    if (simScenarioLoad(scenarioPath.c_str(), tracePath.c_str()) == 0) {
        std::fprintf(stderr, "TobekGunnerScenario: error: %s\n", simScenarioError());
        return 2;
    }
    // The script reads its settings from, and writes its log to, the folder it is loaded from.
    const std::filesystem::path runCopy = std::filesystem::path(simScenarioScriptFolder()) / "TobekGunner.asi";
    std::error_code copyError;
    std::filesystem::copy_file(scriptPath, runCopy, copyError);
    if (copyError) {
        std::fprintf(stderr, "TobekGunnerScenario: error: cannot copy %s into the run's folder: %s\n",
                     scriptPath.c_str(), copyError.message().c_str());
        return 1;
    }
    const sim::LoadedScript loaded = sim::loadScript(runCopy.string());
    if (!loaded.error.empty()) {
        std::fprintf(stderr, "TobekGunnerScenario: error: %s\n", loaded.error.c_str());
        return 1;
    }
    if (simRegistered() == 0) {
        std::fprintf(stderr, "TobekGunnerScenario: error: %s registered no script entry\n", scriptPath.c_str());
        return 1;
    }
    const int status = simScenarioRun(quiet ? 1 : 0);
    // The script's fiber is still parked in scriptWait; leaving now ends it with the process.
    std::fflush(stdout);
    return status;
}

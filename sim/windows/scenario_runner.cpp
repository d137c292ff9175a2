// Plays a scenario file against the real TobekGunner.asi in this process, with the simulated host
// of the substitute ScriptHookV.dll: the Windows counterpart of gunner-sim, for comparing traces.
//   TobekGunnerScenario SCENARIO.toml [--trace FILE.jsonl] [--script FILE.asi] [--quiet]
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "command_line.h"
#include "windows/scenario_api.h"
#include "windows/script_loader.h"

namespace {

constexpr const char* footer =
    "Exit status as gunner-sim's: 0 every expectation met, 1 one failed or the script broke the host's\n"
    "protocol, 2 bad command line or scenario file, 3 the trace could not be written.\n";

struct Options {
    std::string scenarioPath;
    std::string tracePath;
    std::string scriptPath;
    bool quiet = false;
};

// -1 to go on, or the exit status.
int parse(int argc, char** argv, Options& options) {
    CLI::App app{
        "Plays the scenario against the script (default: TobekGunner.asi beside this program) and prints the "
        "narrated run and its summary.",
        "TobekGunnerScenario"};
    app.footer(footer);
    app.add_option("scenario", options.scenarioPath, "Scenario file (TOML)")->required();
    app.add_option("--trace", options.tracePath, "Write every native call to FILE as JSON Lines, then a summary line")
        ->type_name("FILE.jsonl");
    app.add_option("--script", options.scriptPath, "The script to play the scenario against")->type_name("FILE.asi");
    app.add_flag("-q,--quiet", options.quiet, "Print only the failures and a one-line result");
    return tools::parseCommandLine(app, argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int status = parse(argc, argv, options); status >= 0) return status;
    if (options.scriptPath.empty()) options.scriptPath = sim::scriptBesideProgram();

    if (const int status = simScenarioLoad(options.scenarioPath.c_str(), options.tracePath.c_str(), options.quiet);
        status != 0)
        return status;
    // The script reads its settings from, and writes its log to, the folder it is loaded from.
    const std::filesystem::path runCopy = std::filesystem::path(simScenarioScriptFolder()) / "TobekGunner.asi";
    std::error_code copyError;
    std::filesystem::copy_file(options.scriptPath, runCopy, copyError);
    if (copyError) {
        std::fprintf(stderr, "TobekGunnerScenario: error: cannot copy %s into the run's folder: %s\n",
                     options.scriptPath.c_str(), copyError.message().c_str());
        return 1;
    }
    const sim::LoadedScript loaded = sim::loadScript(runCopy.string());
    if (!loaded.error.empty()) {
        std::fprintf(stderr, "TobekGunnerScenario: error: %s\n", loaded.error.c_str());
        return 1;
    }
    if (simRegistered() == 0) {
        std::fprintf(stderr, "TobekGunnerScenario: error: %s registered no script entry\n", options.scriptPath.c_str());
        return 1;
    }
    const int status = simScenarioRun();
    // The script's fiber is still parked in scriptWait; leaving now ends it with the process.
    std::fflush(stdout);
    return status;
}

// gunner-sim's command line, read with CLI11.
#include "options.h"

#include "command_line.h"

namespace gunner {
namespace {

constexpr const char* footer =
    "Exit status:\n"
    "  0  every expectation was met\n"
    "  1  an expectation failed, or the script broke the host's protocol\n"
    "  2  bad command line or bad scenario file (nothing is written)\n"
    "  3  an output could not be written\n"
    "  141  standard output was closed before the run ended (a pipe into head)\n"
    "With a folder or several files: one result line each and a total; 1 if any did not pass.\n"
    "Every output is written whether the run passes or fails; the exit status says which.\n"
    "Scenario files, outputs and options: docs/scenarios.md\n";

void addOutputs(CLI::App& app, Options& options) {
    app.add_option("--trace", options.tracePath, "Write every native call to FILE as JSON Lines, then a summary line")
        ->type_name("FILE");
    app.add_option("--report", options.reportDir, "Write a self-contained HTML report into DIR (DIR/index.html)")
        ->type_name("DIR");
    app.add_option("--json", options.jsonPath, "Write the summary, the expectations and the narration to FILE as JSON")
        ->type_name("FILE");
    app.add_option("--junit", options.junitPath,
                   "Write JUnit XML to FILE: one test case per expectation (one test suite per scenario)")
        ->type_name("FILE");
    tools::addWholeNumber(app, "--trace-limit", options.traceLimit,
                          "Cut the trace's calls at BYTES, with a last line saying so", "BYTES", 4096,
                          std::uint64_t{1} << 50);
}

}  // namespace

int parseOptions(int argc, char** argv, Options& options) {
    CLI::App app{"Runs the Tobek Gunner script in the simulated world from a scenario file and reports what happened.",
                 "gunner-sim"};
    app.footer(footer);
    app.set_version_flag("--version", std::string("gunner-sim ") + GUNNER_SIM_VERSION);
    app.add_option("scenario", options.scenarioPaths,
                   "Scenario file (TOML), '-' for standard input; a folder or several files run each one")
        ->required();
    addOutputs(app, options);
    app.add_flag("-q,--quiet", options.quiet, "Print only the failures and a one-line result");
    app.add_flag("--keep-failed", options.keepFailed, "No effect: the outputs of a failed run are always kept");
    app.add_flag("--no-progress", options.noProgress, "Never show the progress line on the terminal");
    return tools::parseCommandLine(app, argc, argv);
}

}  // namespace gunner

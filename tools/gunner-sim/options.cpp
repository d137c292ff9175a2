// gunner-sim's command line, read with CLI11.
#include "options.h"

#include <cstdio>

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

void addPlay(CLI::App& app, Options& options) {
    auto* play = app.add_flag("--play", options.play,
                              "Play the script live in the browser, in the scenario's world or on the default road");
    app.add_option("--port", options.port, "With --play: the port on 127.0.0.1 (default: any free one)")
        ->check(CLI::Range(1, 65535))
        ->needs(play);
    app.add_flag("--open", options.open, "With --play: open the page in the browser")->needs(play);
    app.add_option("--record", options.recordPath,
                   "With --play: where Save and the end of the session write the scenario")
        ->type_name("FILE")
        ->needs(play);
    // A live session has no run to trace or report on: its outcome is the recording.
    for (const char* output : {"--trace", "--report", "--json", "--junit"}) app.get_option(output)->excludes(play);
}

}  // namespace

int parseOptions(int argc, char** argv, Options& options) {
    CLI::App app{"Runs the Tobek Gunner script in the simulated world from a scenario file and reports what happened.",
                 "gunner-sim"};
    app.footer(footer);
    app.set_version_flag("--version", std::string("gunner-sim ") + GUNNER_SIM_VERSION);
    app.add_option("scenario", options.scenarioPaths,
                   "Scenario file (TOML), '-' for standard input; a folder or several files run each one; "
                   "required unless --play");
    addOutputs(app, options);
    addPlay(app, options);
    app.add_flag("-q,--quiet", options.quiet, "Print only the failures and a one-line result");
    app.add_flag("--keep-failed", options.keepFailed, "No effect: the outputs of a failed run are always kept");
    app.add_flag("--no-progress", options.noProgress, "Never show the progress line on the terminal");
    const int status = tools::parseCommandLine(app, argc, argv);
    if (status < 0 && !options.play && options.scenarioPaths.empty()) {
        std::fprintf(
            stderr,
            "gunner-sim: error: a scenario file is required, or --play (gunner-sim --help lists the options)\n");
        return 2;
    }
    if (status < 0 && options.play && options.scenarioPaths.size() > 1) {
        std::fprintf(stderr, "gunner-sim: error: --play takes at most one scenario, for its world\n");
        return 2;
    }
    return status;
}

}  // namespace gunner

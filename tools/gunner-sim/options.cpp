// gunner-sim's command line, read with CLI11.
#include "options.h"

#include <CLI/CLI.hpp>

namespace gunner {

int parseOptions(int argc, char** argv, Options& options) {
    CLI::App app{"Runs the Tobek Gunner script in the simulated world from a scenario file and reports what happened.",
                 "gunner-sim"};
    app.add_option("scenario", options.scenarioPath, "Scenario file (TOML)")->required();
    app.add_option("--trace", options.tracePath, "Write every native call to FILE as JSON Lines")->type_name("FILE");
    app.add_option("--report", options.reportDir, "Write a self-contained HTML report into DIR (DIR/index.html)")
        ->type_name("DIR");
    app.add_flag("-q,--quiet", options.quiet, "Print only the summary and failures, not the narrated timeline");
    app.add_flag("--keep-failed", options.keepFailed,
                 "Keep the trace and the report of a run whose expectations failed (they are dropped otherwise)");
    app.add_flag("--no-progress", options.noProgress, "Never show the progress line on the terminal");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : 2;
    }
    return -1;
}

}  // namespace gunner

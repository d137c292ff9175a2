// gunner-sim: runs the real script in the simulated world from a scenario file and tells the story.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "interrupt.h"
#include "options.h"
#include "scenario/console.h"
#include "scenario/output_file.h"
#include "scenario/parser.h"
#include "scenario/report.h"
#include "scenario/run.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace {

enum ExitCode { passed = 0, failedChecks = 1, badInput = 2, outputFault = 3 };

int fail(const char* what, const std::string& path, const std::string& why, int status) {
    std::fprintf(stderr, "gunner-sim: error: %s %s: %s\n", what, path.c_str(), why.c_str());
    return status;
}

int run(const gunner::Options& options) {
    scenario::Scenario loaded;
    try {
        loaded = scenario::loadScenario(options.scenarioPath);
    } catch (const scenario::ScenarioError& error) {
        std::fprintf(stderr, "gunner-sim: error: %s\n", error.what());
        return badInput;
    }
    if (!options.tracePath.empty() && !options.reportDir.empty() && options.tracePath != "-" &&
        scenario::isInsideFolder(options.tracePath, options.reportDir)) {
        return fail("the trace", options.tracePath, "it may not be inside the report folder " + options.reportDir,
                    badInput);
    }

    scenario::OutputFolder reportFolder;
    if (!options.reportDir.empty() && !reportFolder.create(options.reportDir))
        return fail("cannot create the report folder", options.reportDir, reportFolder.problem(), outputFault);
    scenario::PendingFile trace(options.tracePath);
    scenario::PendingFile report(options.reportDir.empty() ? std::string() : options.reportDir + "/index.html");
    if ((trace.wanted() && !trace.ok()) || (report.wanted() && !report.ok())) {
        scenario::PendingFile& bad = trace.wanted() && !trace.ok() ? trace : report;
        trace.discard();
        report.discard();
        reportFolder.removeCreated();
        return fail("cannot write", bad.path(), bad.problem(), outputFault);
    }

    // A trace on standard output keeps it to itself; the story goes to standard error then.
    std::FILE* story = options.tracePath == "-" ? stderr : stdout;
    scenario::Printer printer(story, options.quiet);
    scenario::Progress progress(stderr, !options.noProgress && isatty(fileno(stderr)) != 0);
    std::optional<scenario::TraceWriter> traceWriter;
    if (trace.ok()) traceWriter.emplace(trace.file());

    scenario::RunOptions runOptions;
    runOptions.probe = sim::readLinkedScriptView;
    runOptions.onLine = [&](const scenario::NarrationLine& line) {
        progress.clear();
        printer.line(line);
    };
    runOptions.onProgress = [&](std::uint64_t elapsed, std::uint64_t end) { progress.show(elapsed, end); };
    runOptions.stopRequested = [] { return gunner::caughtInterrupt() != 0; };
    runOptions.trace = traceWriter ? &*traceWriter : nullptr;
    runOptions.collectReport = report.ok();

    printer.header(loaded);
    const scenario::RunResult result = scenario::runScenario(loaded, sim::linkedScript(), runOptions);
    progress.clear();
    if (gunner::caughtInterrupt() != 0) {
        trace.discard();
        report.discard();
        reportFolder.removeCreated();
        std::fprintf(stderr, "gunner-sim: interrupted; no outputs kept\n");
        gunner::dieOfCaughtInterrupt();
    }
    printer.summary(result);

    const bool keep = result.passed() || options.keepFailed;
    bool outputsOk = true;
    if (traceWriter) outputsOk = traceWriter->flush() && outputsOk;
    if (report.ok()) {
        const std::string html = scenario::renderReport(loaded, result);
        outputsOk = std::fwrite(html.data(), 1, html.size(), report.file()) == html.size() && outputsOk;
    }
    if (keep && outputsOk) {
        if (trace.wanted() && !trace.commit()) outputsOk = false;
        if (report.wanted() && !report.commit()) outputsOk = false;
        if (outputsOk && trace.wanted() && options.tracePath != "-")
            std::fprintf(story, "trace written to %s\n", trace.path().c_str());
        if (outputsOk && report.wanted()) std::fprintf(story, "report written to %s\n", report.path().c_str());
    } else {
        trace.discard();
        report.discard();
        reportFolder.removeCreated();
    }
    if (!outputsOk) {
        std::fprintf(stderr, "gunner-sim: error: writing the outputs failed\n");
        return outputFault;
    }
    if (!result.passed()) {
        printer.failures(result);
        return failedChecks;
    }
    return passed;
}

}  // namespace

int main(int argc, char** argv) {
    gunner::Options options;
    if (const int status = gunner::parseOptions(argc, argv, options); status >= 0) return status;
    gunner::catchInterrupts();
    return run(options);
}

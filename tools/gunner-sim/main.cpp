// gunner-sim: runs the real script in the simulated world from a scenario file and tells the story.
#include <unistd.h>

#include <cstdio>
#include <filesystem>

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

int run(const gunner::Options& options) {
    scenario::Scenario loaded;
    try {
        loaded = scenario::loadScenario(options.scenarioPath);
    } catch (const scenario::ScenarioError& error) {
        std::fprintf(stderr, "gunner-sim: error: %s\n", error.what());
        return badInput;
    }

    bool createdReportDir = false;
    if (!options.reportDir.empty()) {
        std::error_code error;
        createdReportDir = std::filesystem::create_directories(options.reportDir, error);
        if (error) {
            std::fprintf(stderr, "gunner-sim: error: cannot create the report folder %s: %s\n",
                         options.reportDir.c_str(), error.message().c_str());
            return outputFault;
        }
    }
    scenario::PendingFile trace(options.tracePath);
    scenario::PendingFile report(options.reportDir.empty() ? std::string() : options.reportDir + "/index.html");
    auto dropReportDir = [&] {
        std::error_code error;
        if (createdReportDir) std::filesystem::remove(options.reportDir, error);
    };
    if ((trace.wanted() && !trace.ok()) || (report.wanted() && !report.ok())) {
        std::fprintf(stderr, "gunner-sim: error: cannot write %s\n",
                     trace.wanted() && !trace.ok() ? trace.path().c_str() : report.path().c_str());
        report.discard();
        dropReportDir();
        return outputFault;
    }

    scenario::Printer printer(stdout, options.quiet);
    scenario::Progress progress(stderr, !options.noProgress && isatty(fileno(stderr)) != 0);
    std::optional<scenario::TraceWriter> traceWriter;
    if (trace.ok()) traceWriter.emplace(trace.file());

    scenario::RunOptions runOptions;
    runOptions.probe = sim::readLinkedScriptView;
    runOptions.onLine = [&](const scenario::NarrationLine& line) {
        progress.clear();
        printer.line(line);
    };
    runOptions.onProgress = [&](std::uint32_t elapsed, std::uint32_t end) { progress.show(elapsed, end); };
    runOptions.trace = traceWriter ? &*traceWriter : nullptr;
    runOptions.collectReport = report.ok();

    printer.header(loaded);
    const scenario::RunResult result = scenario::runScenario(loaded, sim::linkedScript(), runOptions);
    progress.clear();
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
        if (outputsOk && trace.wanted()) std::printf("trace written to %s\n", trace.path().c_str());
        if (outputsOk && report.wanted()) std::printf("report written to %s\n", report.path().c_str());
    } else {
        trace.discard();
        report.discard();
        dropReportDir();
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
    return run(options);
}

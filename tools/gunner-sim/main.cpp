// gunner-sim: runs the real script in the simulated world from a scenario file and tells the story.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "interrupt.h"
#include "options.h"
#include "scenario/console.h"
#include "scenario/output_file.h"
#include "scenario/parser.h"
#include "scenario/report.h"
#include "scenario/run.h"
#include "scenario/run_records.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace {

enum ExitCode { passed = 0, failedChecks = 1, badInput = 2, outputFault = 3 };

int fail(const char* what, const std::string& path, const std::string& why, int status) {
    std::fprintf(stderr, "gunner-sim: error: %s %s: %s\n", what, path.c_str(), why.c_str());
    return status;
}

// Every file the run writes, opened (under a temporary name where it is a regular file) before
// the run starts, and the report folder if this run made it.
struct Outputs {
    std::unique_ptr<scenario::PendingFile> trace, report, json, junit;
    scenario::OutputFolder reportFolder;
    std::vector<scenario::PendingFile*> all() const { return {trace.get(), report.get(), json.get(), junit.get()}; }

    // Drops every output of this run, and the folders it made.
    void discard() {
        for (scenario::PendingFile* file : all()) {
            if (file != nullptr) file->discard();
        }
        reportFolder.removeCreated();
    }
};

void outputError(const scenario::PendingFile& file) {
    std::fprintf(stderr, "gunner-sim: error: cannot write %s: %s\n", file.path().c_str(),
                 file.failure().empty() ? "unknown fault" : file.failure().c_str());
}

// A file of an earlier run under a name this run writes goes at once: should this run stop early,
// nothing older is left that could pass for its result. Only a regular file is removed: a link,
// a device or a pipe is left as it is.
void removeStale(const std::string& path) {
    std::error_code error;
    if (!path.empty() && std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error)))
        std::filesystem::remove(path, error);
}

int openOutputs(const gunner::Options& options, Outputs& outputs) {
    const std::string reportFile = options.reportDir.empty() ? std::string() : options.reportDir + "/index.html";
    for (const auto& path : {options.tracePath, reportFile, options.jsonPath, options.junitPath}) removeStale(path);
    if (!options.reportDir.empty() && !outputs.reportFolder.create(options.reportDir))
        return fail("cannot create the report folder", options.reportDir, outputs.reportFolder.problem(), outputFault);
    outputs.trace = std::make_unique<scenario::PendingFile>(options.tracePath);
    outputs.report = std::make_unique<scenario::PendingFile>(reportFile);
    outputs.json = std::make_unique<scenario::PendingFile>(options.jsonPath);
    outputs.junit = std::make_unique<scenario::PendingFile>(options.junitPath);
    for (scenario::PendingFile* file : outputs.all()) {
        if (file->wanted() && !file->ok()) {
            const std::string problem = file->problem();
            const std::string path = file->path();
            outputs.discard();
            return fail("cannot write", path, problem, outputFault);
        }
    }
    return passed;
}

bool writeText(scenario::PendingFile& file, const std::string& text) {
    if (!file.ok()) return true;
    return std::fwrite(text.data(), 1, text.size(), file.file()) == text.size();
}

const char* outputKind(const Outputs& outputs, const scenario::PendingFile* file) {
    if (file == outputs.trace.get()) return "trace";
    if (file == outputs.report.get()) return "report";
    if (file == outputs.json.get()) return "JSON summary";
    return "JUnit XML";
}

// Writes what the run produced into every wanted output, then gives each its real name.
bool finishOutputs(const scenario::Scenario& loaded, const scenario::RunResult& result, Outputs& outputs,
                   scenario::TraceWriter* traceWriter, std::FILE* story, bool quiet) {
    if (traceWriter != nullptr) traceWriter->writeRecord(scenario::traceSummaryLine(result));
    bool ok = traceWriter == nullptr || traceWriter->flush();
    ok = writeText(*outputs.report, outputs.report->ok() ? scenario::renderReport(loaded, result) : "") && ok;
    ok = writeText(*outputs.json, outputs.json->ok() ? scenario::runJson(loaded, result) : "") && ok;
    ok = writeText(*outputs.junit, outputs.junit->ok() ? scenario::junitXml(loaded, result) : "") && ok;
    for (scenario::PendingFile* file : outputs.all()) {
        if (!file->wanted()) continue;
        if (!file->commit()) {
            outputError(*file);
            ok = false;
        } else if (!quiet && file->path() != "-") {
            std::fprintf(story, "%s written to %s\n", outputKind(outputs, file), file->path().c_str());
        }
    }
    return ok;
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
    Outputs outputs;
    if (const int status = openOutputs(options, outputs); status != passed) return status;

    // A trace on standard output keeps it to itself; the story goes to standard error then.
    std::FILE* story = options.tracePath == "-" ? stderr : stdout;
    scenario::Printer printer(story, options.quiet);
    scenario::Progress progress(stderr, !options.noProgress && isatty(fileno(stderr)) != 0);
    std::optional<scenario::TraceWriter> traceWriter;
    if (outputs.trace->ok()) traceWriter.emplace(outputs.trace->file());

    scenario::RunOptions runOptions;
    runOptions.probe = sim::readLinkedScriptView;
    runOptions.onLine = [&](const scenario::NarrationLine& line) {
        progress.clear();
        printer.line(line);
    };
    runOptions.onProgress = [&](std::uint64_t elapsed, std::uint64_t end) { progress.show(elapsed, end); };
    runOptions.stopRequested = [] { return gunner::caughtInterrupt() != 0; };
    runOptions.trace = traceWriter ? &*traceWriter : nullptr;
    runOptions.collectReport = outputs.report->ok();

    printer.header(loaded);
    const scenario::RunResult result = scenario::runScenario(loaded, sim::linkedScript(), runOptions);
    progress.clear();
    if (gunner::caughtInterrupt() != 0) {
        outputs.discard();
        std::fprintf(stderr, "gunner-sim: interrupted; no outputs kept\n");
        gunner::dieOfCaughtInterrupt();
    }
    printer.summary(result);

    // A failed run keeps its outputs: they are what shows why it failed; the exit code tells.
    const bool outputsOk =
        finishOutputs(loaded, result, outputs, traceWriter ? &*traceWriter : nullptr, story, options.quiet);
    if (!outputsOk) outputs.reportFolder.removeCreated();
    if (!result.passed()) printer.failures(result);
    printer.result(loaded, result);
    if (!outputsOk) return outputFault;
    return result.passed() ? passed : failedChecks;
}

}  // namespace

int main(int argc, char** argv) {
    gunner::Options options;
    if (const int status = gunner::parseOptions(argc, argv, options); status >= 0) return status;
    gunner::catchInterrupts();
    return run(options);
}

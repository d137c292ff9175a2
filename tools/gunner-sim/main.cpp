// gunner-sim: runs the real script in the simulated world from a scenario file and tells the story.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

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

// Every file the run writes, opened under a temporary name before the run starts.
struct Outputs {
    std::unique_ptr<scenario::PendingFile> trace, report, json, junit;
    std::vector<scenario::PendingFile*> all() const { return {trace.get(), report.get(), json.get(), junit.get()}; }
};

void outputError(const scenario::PendingFile& file) {
    std::fprintf(stderr, "gunner-sim: error: cannot write %s: %s\n", file.path().c_str(),
                 file.failure().empty() ? "unknown fault" : file.failure().c_str());
}

// A file of an earlier run under a name this run writes goes at once: should this run stop early,
// nothing older is left that could pass for its result.
void removeStale(const std::string& path) {
    std::error_code error;
    if (!path.empty() && std::filesystem::is_regular_file(path, error)) std::filesystem::remove(path, error);
}

bool openOutputs(const gunner::Options& options, Outputs& outputs) {
    const std::string reportFile = options.reportDir.empty() ? std::string() : options.reportDir + "/index.html";
    for (const auto& path : {options.tracePath, reportFile, options.jsonPath, options.junitPath}) removeStale(path);
    if (!options.reportDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.reportDir, error);
        if (error) {
            std::fprintf(stderr, "gunner-sim: error: cannot create the report folder %s: %s\n",
                         options.reportDir.c_str(), error.message().c_str());
            return false;
        }
    }
    outputs.trace = std::make_unique<scenario::PendingFile>(options.tracePath);
    outputs.report = std::make_unique<scenario::PendingFile>(reportFile);
    outputs.json = std::make_unique<scenario::PendingFile>(options.jsonPath);
    outputs.junit = std::make_unique<scenario::PendingFile>(options.junitPath);
    for (scenario::PendingFile* file : outputs.all()) {
        if (file->wanted() && !file->ok()) {
            outputError(*file);
            return false;
        }
    }
    return true;
}

bool writeText(scenario::PendingFile& file, const std::string& text) {
    if (!file.ok()) return true;
    return std::fwrite(text.data(), 1, text.size(), file.file()) == text.size();
}

// Writes what the run produced into every wanted output, then gives each its real name.
bool finishOutputs(const scenario::Scenario& loaded, const scenario::RunResult& result, Outputs& outputs,
                   scenario::TraceWriter* traceWriter, bool quiet) {
    if (traceWriter != nullptr) traceWriter->writeRecord(scenario::traceSummaryLine(result));
    bool ok = traceWriter == nullptr || traceWriter->flush();
    ok = writeText(*outputs.report, outputs.report->ok() ? scenario::renderReport(loaded, result) : "") && ok;
    ok = writeText(*outputs.json, outputs.json->ok() ? scenario::runJson(loaded, result) : "") && ok;
    ok = writeText(*outputs.junit, outputs.junit->ok() ? scenario::junitXml(loaded, result) : "") && ok;
    bool allOk = true;
    for (scenario::PendingFile* file : outputs.all()) {
        if (!file->wanted()) continue;
        if (!file->commit()) {
            outputError(*file);
            allOk = false;
        } else if (!quiet) {
            std::printf("%s written to %s\n",
                        file == outputs.trace.get()    ? "trace"
                        : file == outputs.report.get() ? "report"
                        : file == outputs.json.get()   ? "JSON summary"
                                                       : "JUnit XML",
                        file->path().c_str());
        }
    }
    return ok && allOk;
}

int run(const gunner::Options& options) {
    scenario::Scenario loaded;
    try {
        loaded = scenario::loadScenario(options.scenarioPath);
    } catch (const scenario::ScenarioError& error) {
        std::fprintf(stderr, "gunner-sim: error: %s\n", error.what());
        return badInput;
    }
    Outputs outputs;
    if (!openOutputs(options, outputs)) return outputFault;

    scenario::Printer printer(stdout, options.quiet);
    scenario::Progress progress(stderr, !options.noProgress && isatty(fileno(stderr)) != 0);
    std::optional<scenario::TraceWriter> traceWriter;
    if (outputs.trace->ok()) traceWriter.emplace(outputs.trace->file());

    scenario::RunOptions runOptions;
    runOptions.probe = sim::readLinkedScriptView;
    runOptions.onLine = [&](const scenario::NarrationLine& line) {
        progress.clear();
        printer.line(line);
    };
    runOptions.onProgress = [&](std::uint32_t elapsed, std::uint32_t end) { progress.show(elapsed, end); };
    runOptions.trace = traceWriter ? &*traceWriter : nullptr;
    runOptions.collectReport = outputs.report->ok();

    printer.header(loaded);
    const scenario::RunResult result = scenario::runScenario(loaded, sim::linkedScript(), runOptions);
    progress.clear();
    printer.summary(result);

    const bool outputsOk = finishOutputs(loaded, result, outputs, traceWriter ? &*traceWriter : nullptr, options.quiet);
    if (!result.passed()) printer.failures(result);
    printer.result(loaded, result);
    if (!outputsOk) return outputFault;
    return result.passed() ? passed : failedChecks;
}

}  // namespace

int main(int argc, char** argv) {
    gunner::Options options;
    if (const int status = gunner::parseOptions(argc, argv, options); status >= 0) return status;
    return run(options);
}

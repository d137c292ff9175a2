// The front end of a scenario run: outputs opened before the run, written and named after it.
#include "scenario/outputs/front_end.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "scenario/format/clean_text.h"
#include "scenario/format/parser.h"
#include "scenario/outputs/closed_pipe.h"
#include "scenario/outputs/path_safety.h"
#include "scenario/outputs/run_records.h"
#include "scenario/report/report.h"
#include "scenario/run/script_folder.h"

namespace scenario {

// Every file the run writes, opened (under a temporary name where it is a regular file) before
// the run starts, and the report folder if this run made it.
struct FrontEnd::Outputs {
    std::unique_ptr<PendingFile> trace, report, json, junit;
    OutputFolder reportFolder;
    std::vector<PendingFile*> all() const { return {trace.get(), report.get(), json.get(), junit.get()}; }

    // Drops every output of this run, and the folders it made.
    void discard() {
        for (PendingFile* file : all()) {
            if (file != nullptr) file->discard();
        }
        reportFolder.removeCreated();
    }

    const char* kindOf(const PendingFile* file) const {
        if (file == trace.get()) return "trace";
        if (file == report.get()) return "report";
        if (file == json.get()) return "JSON summary";
        return "JUnit XML";
    }
};

namespace {

// A file of an earlier run under a name this run writes goes at once: should this run stop early,
// nothing older is left that could pass for its result. Only a regular file is removed: a link,
// a device or a pipe is left as it is.
void removeStale(const std::string& path) {
    std::error_code error;
    if (!path.empty() && std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error)))
        std::filesystem::remove(path, error);
}

// The text is made only for a file that is open; false when it could not all be written.
template <class MakeText>
bool writeText(PendingFile& file, MakeText makeText) {
    if (!file.ok()) return true;
    const std::string text = makeText();
    return std::fwrite(text.data(), 1, text.size(), file.file()) == text.size();
}

bool traceOnStandardOutput(const std::string& path) {
    int fd = -1;
    return path == "-" || (isStreamAlias(path, fd) && fd == 1);
}

// Every path the run reads or writes, in the order their messages name them.
std::vector<RunPath> runPaths(const FrontEndRequest& request, const Scenario& scenario) {
    std::vector<RunPath> paths{{request.scenarioPath, "the scenario", false}};
    if (!scenario.settingsPath.empty()) paths.push_back({scenario.settingsPath, "its settings file", false});
    const auto output = [&](const std::string& path, const char* role) {
        if (!path.empty()) paths.push_back({path, role, true});
    };
    output(request.tracePath, "the trace");
    if (!request.reportDir.empty()) output(request.reportDir + "/index.html", "the report");
    output(request.jsonPath, "the JSON summary");
    output(request.junitPath, "the JUnit XML");
    return paths;
}

}  // namespace

int stdoutOutputs(const FrontEndRequest& request) {
    int count = 0;
    for (const std::string* path : {&request.tracePath, &request.jsonPath, &request.junitPath})
        count += *path == "-" ? 1 : 0;
    return count;
}

FrontEnd::FrontEnd(FrontEndRequest request)
    : request_(std::move(request)),
      outputs_(std::make_unique<Outputs>()),
      // A document on standard output keeps it to itself; the story goes to standard error then.
      story_(traceOnStandardOutput(request_.tracePath) || stdoutOutputs(request_) > 0 || request_.storyOnStderr
                 ? stderr
                 : stdout),
      printer_(story_, request_.quiet, request_.program),
      progress_(stderr, request_.progress) {}

FrontEnd::~FrontEnd() = default;

int FrontEnd::refuse(int status, const std::string& why) {
    std::fprintf(stderr, "%s: error: %s\n", request_.program.c_str(), cleanText(why).c_str());
    return status;
}

int FrontEnd::prepare() {
    try {
        scenario_ = loadScenario(request_.scenarioPath);
    } catch (const ScenarioError& error) {
        return refuse(exitBadInput, error.what());
    }
    if (stdoutOutputs(request_) > 1)
        return refuse(exitBadInput, "only one of --trace, --json and --junit may be '-' (standard output)");
    const std::string unsafe = unsafeOutputReason(runPaths(request_, scenario_), request_.reportDir);
    if (!unsafe.empty()) return refuse(exitBadInput, unsafe);
    // The script's folder is tried before any output is opened, so a bad TMPDIR leaves nothing.
    try {
        ScriptFolder probe(scenario_.settingsText);
    } catch (const ScriptFolderError& error) {
        return refuse(exitOutputFault, error.what());
    }
    return openOutputs();
}

int FrontEnd::openOutputs() {
    const std::string reportFile = request_.reportDir.empty() ? std::string() : request_.reportDir + "/index.html";
    for (const auto& path : {request_.tracePath, reportFile, request_.jsonPath, request_.junitPath}) removeStale(path);
    Outputs& outputs = *outputs_;
    if (!request_.reportDir.empty() && !outputs.reportFolder.create(request_.reportDir))
        return refuse(exitOutputFault,
                      "cannot create the report folder " + request_.reportDir + ": " + outputs.reportFolder.problem());
    outputs.trace = std::make_unique<PendingFile>(request_.tracePath);
    outputs.report = std::make_unique<PendingFile>(reportFile);
    outputs.json = std::make_unique<PendingFile>(request_.jsonPath);
    outputs.junit = std::make_unique<PendingFile>(request_.junitPath);
    for (PendingFile* file : outputs.all()) {
        if (file->wanted() && !file->ok()) {
            const std::string why = "cannot write " + file->path() + ": " + file->problem();
            outputs.discard();
            return refuse(exitOutputFault, why);
        }
    }
    if (outputs.trace->ok()) traceWriter_.emplace(outputs.trace->file(), request_.traceLimit);
    return exitPassed;
}

RunOptions FrontEnd::runOptions() {
    RunOptions options;
    options.onLine = [this](const NarrationLine& line) {
        progress_.clear();
        printer_.line(line);
    };
    options.onProgress = [this](std::uint64_t elapsed, std::uint64_t end) { progress_.show(elapsed, end); };
    options.trace = traceWriter_ ? &*traceWriter_ : nullptr;
    options.collectReport = outputs_->report && outputs_->report->ok();
    return options;
}

void FrontEnd::begin() { printer_.header(scenario_); }

void FrontEnd::abandon() {
    progress_.clear();
    outputs_->discard();
}

// Writes what the run produced into every wanted output, then gives each its real name.
bool FrontEnd::writeOutputs(const RunResult& result) {
    Outputs& outputs = *outputs_;
    if (traceWriter_) {
        traceWriter_->writeRecord(traceSummaryLine(result));
        traceWriter_->finish();
        if (traceWriter_->cut()) {
            std::fprintf(stderr, "%s: note: the trace was cut at its limit of %llu bytes (--trace-limit)\n",
                         request_.program.c_str(), static_cast<unsigned long long>(request_.traceLimit));
        }
    }
    bool ok = !traceWriter_ || traceWriter_->flush();
    ok = writeText(*outputs.report, [&] { return renderReport(scenario_, result); }) && ok;
    ok = writeText(*outputs.json, [&] { return runJson(scenario_, result); }) && ok;
    ok = writeText(*outputs.junit, [&] { return junitXml(scenario_, result); }) && ok;
    for (PendingFile* file : outputs.all()) {
        if (!file->wanted()) continue;
        if (!file->commit()) {
            ok = false;
            if (file->path() == "-" && outputClosed()) continue;  // finish() says it once
            std::fprintf(stderr, "%s: error: cannot write %s: %s\n", request_.program.c_str(), file->path().c_str(),
                         file->failure().empty() ? "unknown fault" : file->failure().c_str());
        } else if (!request_.quiet && file->path() != "-") {
            std::fprintf(story_, "%s written to %s\n", outputs.kindOf(file), file->path().c_str());
        }
    }
    return ok;
}

bool FrontEnd::outputClosed() const { return readerGone(stdout); }

// Before the outputs are written every one is dropped; after, only standard output's was lost.
int FrontEnd::endOnClosedOutput(bool outputsWritten) {
    if (!outputsWritten) abandon();
    std::fprintf(stderr, "%s: standard output was closed (broken pipe): %s\n", request_.program.c_str(),
                 outputsWritten ? "the other outputs are written" : "run stopped, no outputs kept");
    return exitPipeClosed;
}

int FrontEnd::finish(const RunResult& result) {
    progress_.clear();
    if (outputClosed()) return endOnClosedOutput(false);
    printer_.summary(result);
    // A failed run keeps its outputs: they are what shows why it failed; the exit code tells.
    const bool outputsOk = writeOutputs(result);
    if (outputClosed()) return endOnClosedOutput(true);
    if (!outputsOk) outputs_->reportFolder.removeCreated();
    if (!result.passed()) printer_.failures(result);
    printer_.result(scenario_, result);
    if (!outputsOk) return exitOutputFault;
    return result.passed() ? exitPassed : exitFailedChecks;
}

}  // namespace scenario

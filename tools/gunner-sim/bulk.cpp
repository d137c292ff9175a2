// The bulk run: every scenario played in turn through the one front end, quietly.
#include "bulk.h"

#include <glob.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "interrupt.h"
#include "run_one.h"
#include "scenario/outputs/closed_pipe.h"
#include "scenario/outputs/front_end.h"
#include "scenario/outputs/output_file.h"
#include "scenario/outputs/run_records.h"
#include "scenario/report/report.h"

namespace gunner {
namespace fs = std::filesystem;

namespace {

bool isPattern(const std::string& path) { return path.find_first_of("*?[") != std::string::npos; }

bool isFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool existsAsIs(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The folder's *.toml files, by name, so every machine runs them in the same order.
std::vector<std::string> scenariosIn(const std::string& folder) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".toml" && !entry.is_directory(error)) found.push_back(entry.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// A quoted pattern the shell did not expand ("scenarios/give*.toml"); unmatched, it stays as
// written, so the run names it as a missing file.
std::vector<std::string> matches(const std::string& pattern) {
    glob_t found{};
    std::vector<std::string> paths;
    if (::glob(pattern.c_str(), 0, nullptr, &found) == 0) {
        for (std::size_t i = 0; i < found.gl_pathc; ++i) paths.emplace_back(found.gl_pathv[i]);
    }
    ::globfree(&found);
    if (paths.empty()) paths.push_back(pattern);
    return paths;
}

std::vector<std::string> expand(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const auto& path : paths) {
        std::vector<std::string> more = isFolder(path)                         ? scenariosIn(path)
                                        : isPattern(path) && !existsAsIs(path) ? matches(path)
                                                                               : std::vector<std::string>{path};
        files.insert(files.end(), more.begin(), more.end());
    }
    return files;
}

int refuse(const std::string& why) {
    std::fprintf(stderr, "gunner-sim: error: %s\n", why.c_str());
    return scenario::exitBadInput;
}

// The one-file outputs have no sensible meaning for many runs; JUnit is the bulk run's document.
std::string oneRunOption(const Options& options) {
    if (!options.tracePath.empty()) return "--trace";
    if (!options.reportDir.empty()) return "--report";
    if (!options.jsonPath.empty()) return "--json";
    return "";
}

// A scenario that could not be read still has its suite, so CI shows it as broken.
std::string unreadSuite(const std::string& file) {
    const std::string name = scenario::escapeHtml(file);
    return "<testsuite name=\"" + name +
           "\" tests=\"1\" failures=\"0\" errors=\"1\" time=\"0\">\n  <testcase classname=\"" + name +
           "\" name=\"scenario file\" time=\"0\">\n    <error message=\"the scenario could not be read (the error "
           "is on standard error)\" type=\"scenario\"/>\n  </testcase>\n</testsuite>\n";
}

struct Tally {
    int passed = 0;
    std::vector<std::string> failed;
    std::string suites;
};

int writeJunit(const std::string& path, const std::string& suites) {
    scenario::PendingFile file(path);
    if (!file.ok()) return refuse("cannot write " + path + ": " + file.problem()), scenario::exitOutputFault;
    const std::string text = scenario::junitDocument(suites);
    const bool written = std::fwrite(text.data(), 1, text.size(), file.file()) == text.size();
    if (!file.commit() || !written) {
        if (path == "-" && scenario::readerGone(stdout)) return scenario::exitPipeClosed;
        std::fprintf(stderr, "gunner-sim: error: cannot write %s: %s\n", path.c_str(), file.failure().c_str());
        return scenario::exitOutputFault;
    }
    return scenario::exitPassed;
}

std::string totalLine(const Tally& tally) {
    const std::size_t count = static_cast<std::size_t>(tally.passed) + tally.failed.size();
    std::string line = "gunner-sim: " + std::to_string(count) + " scenarios: " + std::to_string(tally.passed) +
                       " passed, " + std::to_string(tally.failed.size()) + " failed";
    for (std::size_t i = 0; i < tally.failed.size(); ++i) line += (i == 0 ? " (" : ", ") + tally.failed[i];
    return line + (tally.failed.empty() ? "" : ")");
}

int closedPipe() {
    std::fprintf(stderr, "gunner-sim: standard output was closed (broken pipe): run stopped, no outputs kept\n");
    return scenario::exitPipeClosed;
}

}  // namespace

bool isBulk(const std::vector<std::string>& paths) {
    return paths.size() > 1 || isFolder(paths.front()) || (isPattern(paths.front()) && !existsAsIs(paths.front()));
}

int runBulk(const Options& options) {
    if (const std::string option = oneRunOption(options); !option.empty())
        return refuse(option + " writes one run's output; give it one scenario, not several (--junit takes many)");
    const std::vector<std::string> files = expand(options.scenarioPaths);
    if (files.empty()) return refuse("no scenario files (*.toml) in " + options.scenarioPaths.front());
    if (std::count(files.begin(), files.end(), "-") > 0) return refuse("'-' (standard input) takes one scenario");
    const bool junitOnStdout = options.junitPath == "-";
    std::FILE* story = junitOnStdout ? stderr : stdout;
    Tally tally;
    for (const auto& file : files) {
        scenario::FrontEndRequest request;
        request.scenarioPath = file;
        request.quiet = true;
        request.storyOnStderr = junitOnStdout;
        Played played;
        const int status = runOne(request, &played);
        if (status == scenario::exitPipeClosed) return scenario::exitPipeClosed;
        if (status == scenario::exitPassed)
            ++tally.passed;
        else
            tally.failed.push_back(fs::path(file).filename().string());
        if (!options.junitPath.empty())
            tally.suites += !played.ran ? unreadSuite(file) : scenario::junitSuite(played.scenario, played.result);
    }
    std::fprintf(story, "%s\n", totalLine(tally).c_str());
    std::fflush(story);
    if (scenario::readerGone(stdout)) return closedPipe();
    if (!options.junitPath.empty()) {
        const int status = writeJunit(options.junitPath, tally.suites);
        if (status == scenario::exitPipeClosed) return closedPipe();
        if (status != scenario::exitPassed) return status;
    }
    return tally.failed.empty() ? scenario::exitPassed : scenario::exitFailedChecks;
}

}  // namespace gunner

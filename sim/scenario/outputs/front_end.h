// The one front end of the programs that play a scenario (gunner-sim, and the Windows runner
// through the substitute ScriptHookV.dll): reads the scenario, opens the outputs, prints the
// narration and the summary, writes the outputs, prints the failures and gives the exit status.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "scenario/format/scenario.h"
#include "scenario/outputs/console.h"
#include "scenario/outputs/output_file.h"
#include "scenario/run/run.h"
#include "scenario/run/trace.h"

namespace scenario {

enum ExitStatus : int { exitPassed = 0, exitFailedChecks = 1, exitBadInput = 2, exitOutputFault = 3 };

// What the program was asked for. An empty path asks for no such output.
struct FrontEndRequest {
    std::string program = "gunner-sim";  // names the program in its messages
    std::string scenarioPath;            // "-" reads standard input
    std::string tracePath;               // "-": standard output, which the trace then keeps to itself
    std::string reportDir;
    std::string jsonPath;
    std::string junitPath;
    std::uint64_t traceLimit = defaultTraceLimit;  // bytes of calls; the trace is cut there
    bool quiet = false;
    bool progress = false;       // draws the progress line on standard error
    bool storyOnStderr = false;  // standard output is kept for a document written elsewhere
};

// How many of the outputs go to standard output ("-"); at most one may.
int stdoutOutputs(const FrontEndRequest& request);

// Used in this order: prepare(), runOptions() for the run, begin(), then after the run finish(),
// or abandon() for a run that was cut short.
class FrontEnd {
public:
    explicit FrontEnd(FrontEndRequest request);
    ~FrontEnd();
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    // Reads the scenario and opens every output, first removing what an earlier run left under
    // their names. exitPassed, or the exit status after saying why on standard error
    // ("gunner-sim: error: ..."); nothing is kept then.
    int prepare();
    const Scenario& scenario() const { return scenario_; }

    // Each narration line printed as it is told, the progress drawn, the trace written and the
    // report's material gathered when a report is wanted.
    RunOptions runOptions();
    // The scenario's title, before the run.
    void begin();
    // Drops every output of a run that did not end.
    void abandon();
    // Prints the summary, writes and commits every output (saying where, unless quiet), prints
    // the failures and the result line; gives the exit status.
    // Also gives exitPipeClosed, after one line on standard error, when nothing reads standard
    // output any more; every output is dropped then.
    int finish(const RunResult& result);
    // Standard output's reader has gone (a write failed on the closed pipe): the run may stop.
    bool outputClosed() const;

private:
    struct Outputs;

    int refuse(int status, const std::string& why);
    int openOutputs();
    bool writeOutputs(const RunResult& result);
    int endOnClosedOutput(bool outputsWritten);

    FrontEndRequest request_;
    Scenario scenario_;
    std::unique_ptr<Outputs> outputs_;
    std::FILE* story_;
    Printer printer_;
    Progress progress_;
    std::optional<TraceWriter> traceWriter_;
};

}  // namespace scenario

// The scenario fuzz case.
#include "scenario_case.h"

#include <cstdio>
#include <cstdlib>

#include "scenario/format/parser.h"
#include "scenario/report/report.h"
#include "scenario/run/run.h"
#include "scenario/run/trace.h"
#include "script_link/script_module.h"

namespace fuzz {
namespace {

std::size_t checksIn(const scenario::Scenario& loaded) {
    std::size_t count = 0;
    for (const auto& group : loaded.expectations) count += group.checks.size();
    return count;
}

// The run's result must agree with the scenario it played.
void checkResult(const scenario::Scenario& loaded, const scenario::RunResult& result, ScenarioCaseOutcome& outcome) {
    auto expect = [&](bool holds, const std::string& what) {
        if (!holds) outcome.failures.push_back(what);
    };
    expect(result.frames >= 1, "no frame ran");
    expect(result.simulatedMs >= loaded.endMs, "the run ended at " + std::to_string(result.simulatedMs) +
                                                   " ms, before the end at " + std::to_string(loaded.endMs) + " ms");
    expect(result.simulatedMs < std::uint64_t{loaded.endMs} + loaded.world.frameMs,
           "the run went on past the frame that reached the end");
    expect(result.checks.size() == checksIn(loaded), "checked " + std::to_string(result.checks.size()) + " of " +
                                                         std::to_string(checksIn(loaded)) + " expectations");
    expect(result.hostErrors.empty(), result.hostErrors.empty() ? "" : "host error: " + result.hostErrors.front());
}

}  // namespace

ScenarioCaseOutcome runScenarioCase(std::string_view text) {
    ScenarioCaseOutcome outcome;
    scenario::Scenario loaded;
    try {
        loaded = scenario::parseScenario(text, "fuzz.toml");
    } catch (const scenario::ScenarioError& error) {
        outcome.error = error.what();
        return outcome;
    }
    outcome.parsed = true;
    loaded.endMs = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(loaded.endMs, (maxScenarioCaseFrames - 1) * loaded.world.frameMs));

    char* traceText = nullptr;
    std::size_t traceSize = 0;
    std::FILE* traceFile = open_memstream(&traceText, &traceSize);
    if (traceFile == nullptr) std::abort();
    scenario::TraceWriter trace(traceFile);
    std::string narration;
    scenario::RunOptions options;
    options.onLine = [&](const scenario::NarrationLine& line) {
        ++outcome.narrationLines;
        narration += line.text;
    };
    options.trace = &trace;
    options.collectReport = true;
    const scenario::RunResult result = scenario::runScenario(loaded, sim::linkedScript(), options);
    if (!trace.flush()) outcome.failures.push_back("the trace could not be written");
    std::fclose(traceFile);
    outcome.traceBytes = traceSize;
    std::free(traceText);

    outcome.frames = result.frames;
    outcome.reportBytes = scenario::renderReport(loaded, result).size();
    checkResult(loaded, result, outcome);
    return outcome;
}

}  // namespace fuzz

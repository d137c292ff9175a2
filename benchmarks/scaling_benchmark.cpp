// How gunner-sim's cost per frame grows with the size of a scenario: 1,000, 10,000 and 100,000
// timeline entries, peds, or expectation groups in a run of 3,751 frames (60 s of 16 ms frames).
// A cost per frame that stays flat means the run is linear in the size of its input.
#include <benchmark/benchmark.h>

#include <string>

#include "scenario/format/parser.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace {

constexpr std::int64_t runMs = 60000;

std::string timelineOf(std::int64_t count) {
    std::string text = "end = " + std::to_string(runMs) + "\ntimeline = [\n";
    for (std::int64_t i = 0; i < count; ++i) {
        text += "{ at = " + std::to_string(i * runMs / count) + ", move = \"player\", to = [" + std::to_string(i % 50) +
                ", 3, 0] },\n";
    }
    return text + "]\n";
}

std::string pedsOf(std::int64_t count) {
    std::string text = "end = " + std::to_string(runMs) + "\n[world]\npeds = [\n";
    for (std::int64_t i = 0; i < count; ++i) {
        text += "{ name = \"p" + std::to_string(i) + "\", model = \"s_m_y_cop_01\", position = [" +
                std::to_string(500 + i % 300) + ", " + std::to_string(500 + i / 300) + ", 0] },\n";
    }
    return text + "]\n";
}

std::string groupsOf(std::int64_t count) {
    std::string text = "end = " + std::to_string(runMs) + "\n";
    for (std::int64_t i = 0; i < count; ++i) {
        text += "[[expect]]\nat = " + std::to_string(i * runMs / count) + "\nwanted_level = 0\n";
    }
    return text;
}

void play(benchmark::State& bench, const std::string& text) {
    const scenario::Scenario s = scenario::parseScenario(text, "scaling.toml");
    scenario::RunOptions options;
    options.probe = sim::readLinkedScriptView;  // as gunner-sim runs
    std::uint64_t frames = 0;
    bool passed = true;
    for (auto _ : bench) {
        const auto result = scenario::runScenario(s, sim::linkedScript(), options);
        frames += result.frames;
        passed = passed && result.passed();
    }
    if (!passed) bench.SkipWithError("the scenario's expectations failed");
    bench.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kAvgIterations);
    // Seconds per frame (inverted rate), shown in microseconds by the console reporter's SI prefix.
    bench.counters["time/frame"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void timelineEntries(benchmark::State& bench) { play(bench, timelineOf(bench.range(0))); }
void peds(benchmark::State& bench) { play(bench, pedsOf(bench.range(0))); }
void expectationGroups(benchmark::State& bench) { play(bench, groupsOf(bench.range(0))); }

BENCHMARK(timelineEntries)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(peds)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(expectationGroups)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

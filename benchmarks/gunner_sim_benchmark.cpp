// How fast gunner-sim plays scenarios: the one-hour combat run (the target is well under a
// minute on the project's 2-core machine), the demo, and the cost of collecting a report.
#include <benchmark/benchmark.h>

#include <string>

#include "scenario/format/parser.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace {

void play(benchmark::State& bench, const std::string& path, bool report) {
    const scenario::Scenario s = scenario::loadScenario(path);
    scenario::RunOptions options;
    options.probe = sim::readLinkedScriptView;  // as gunner-sim runs
    options.collectReport = report;
    std::uint64_t frames = 0, calls = 0, shots = 0;
    bool passed = true;
    for (auto _ : bench) {
        const auto result = scenario::runScenario(s, sim::linkedScript(), options);
        frames += result.frames;
        calls += result.nativeCalls;
        shots += static_cast<std::uint64_t>(result.shotOrders);
        passed = passed && result.passed() && result.derivationMismatches == 0;
    }
    if (!passed) bench.SkipWithError("the scenario's expectations failed");
    bench.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    bench.counters["calls/s"] = benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kIsRate);
    bench.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kAvgIterations);
    bench.counters["shots"] = benchmark::Counter(static_cast<double>(shots), benchmark::Counter::kAvgIterations);
}

void oneHourOfCombat(benchmark::State& bench) { play(bench, TG_BENCHMARK_DIR "/one_hour_combat.toml", false); }
void oneHourOfCombatWithReport(benchmark::State& bench) { play(bench, TG_BENCHMARK_DIR "/one_hour_combat.toml", true); }
void demo(benchmark::State& bench) { play(bench, TG_SCENARIO_DIR "/demo.toml", false); }

BENCHMARK(oneHourOfCombat)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(oneHourOfCombatWithReport)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(demo)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

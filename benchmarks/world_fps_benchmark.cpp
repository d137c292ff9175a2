// Frames per second of the whole simulated world: host, world handlers and the real script,
// with call recording off as long runs have it.
#include "host/sim_host.h"
#include "script_link/script_module.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::uint64_t framesPerGameHour = 60ull * 60ull * 1000ull / 16ull;

std::unique_ptr<sim::SimHost> startedHost() {
    sim::HostConfig config;
    config.frameMs = 16;
    config.recordCalls = false;
    auto host = std::make_unique<sim::SimHost>(config);
    host->load(sim::linkedScript());
    host->start();
    host->runFrames(2);
    return host;
}

// One game hour with nobody pressing anything: the menu closed and no crew.
void idleHour(benchmark::State& st) {
    std::uint64_t frames = 0;
    for (auto _ : st) {
        auto host = startedHost();
        host->runFrames(framesPerGameHour);
        frames += framesPerGameHour;
        if (!host->errors().empty()) st.SkipWithError(host->errors().front().c_str());
    }
    st.counters["fps"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(idleHour)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();

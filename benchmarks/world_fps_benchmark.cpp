// Frames per second of the whole simulated world: host, world handlers and the real script,
// with call recording off as long runs have it. One iteration is one game hour of 16 ms frames.
#include "runtime/state.h"

#include "host/sim_host.h"
#include "script_link/script_module.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr std::uint32_t frameMs = 16;
constexpr std::uint64_t framesPerGameHour = 60ull * 60ull * 1000ull / frameMs;

std::unique_ptr<sim::SimHost> startedHost() {
    sim::HostConfig config;
    config.frameMs = frameMs;
    config.recordCalls = false;
    auto host = std::make_unique<sim::SimHost>(config);
    host->load(sim::linkedScript());
    host->start();
    host->runFrames(2);
    return host;
}

void tap(sim::SimHost& host, std::initializer_list<int> keys) {
    for (const int key : keys) host.setKey(key, true);
    host.runFrames(2);
    for (const int key : keys) host.setKey(key, false);
    host.runFrames(2);
}

// A Technical crew with the player at the wheel in attack mode 2, twenty peds around that
// never go down: a scan every second and a shot order about every 100 ms, all hour.
std::unique_ptr<sim::SimHost> combatHost(std::string& error) {
    auto host = startedHost();
    auto& entities = host->world().entities;
    for (int i = 0; i < 20; ++i) {
        const float side = i % 2 == 0 ? 1.0f : -1.0f;
        const sim::Handle ped =
            entities.addPed(sim::hashName("a_m_y_hipster_01"), sim::Vec3{side * (6.0f + i), 10.0f + i, 0.0f});
        entities.find(ped)->health = 1 << 30;
    }
    tap(*host, {0x11, 0x49});  // Ctrl+I
    tap(*host, {0x0D});        // Enter: the Technical
    if (!host->runUntil([] { return state.crewVehicle != 0 && state.gunnerPed != 0 && !state.menuOpen; }, 2000)) {
        error = "no crew was spawned";
        return host;
    }
    host->runFor(4000);  // the spawn's message
    entities.seatPed(entities.playerPed, state.crewVehicle, -1);
    for (int step = 0; step < 2; ++step) {
        tap(*host, {0x45});  // E: mode 1, then mode 2
        host->runFor(400);
    }
    if (state.attackMode != 2) error = "the crew is not in attack mode 2";
    return host;
}

void reportFrames(benchmark::State& st, std::uint64_t frames, double seconds) {
    st.counters["fps"] = static_cast<double>(frames) / seconds;
    st.counters["frames"] = static_cast<double>(frames);
}

void idleHour(benchmark::State& st) {
    std::uint64_t frames = 0;
    double seconds = 0.0;
    for (auto _ : st) {
        st.PauseTiming();
        auto host = startedHost();
        st.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        host->runFrames(framesPerGameHour);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        frames += framesPerGameHour;
        if (!host->errors().empty()) st.SkipWithError(host->errors().front().c_str());
    }
    reportFrames(st, frames, seconds);
}

void combatHour(benchmark::State& st) {
    std::uint64_t frames = 0;
    double seconds = 0.0;
    for (auto _ : st) {
        st.PauseTiming();
        std::string error;
        auto host = combatHost(error);
        const auto shotsBefore = host->world().entities.shots.size();
        st.ResumeTiming();
        if (!error.empty()) {
            st.SkipWithError(error.c_str());
            break;
        }
        const auto start = std::chrono::steady_clock::now();
        host->runFrames(framesPerGameHour);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        frames += framesPerGameHour;
        st.counters["shots"] = static_cast<double>(host->world().entities.shots.size() - shotsBefore);
        st.counters["wanted"] = state.wantedLevel;
        if (!host->errors().empty()) st.SkipWithError(host->errors().front().c_str());
    }
    if (frames > 0) reportFrames(st, frames, seconds);
}

}  // namespace

BENCHMARK(idleHour)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(combatHour)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();

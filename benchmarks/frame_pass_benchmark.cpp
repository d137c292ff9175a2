// The cost of one pass of the script's frame loop, against the answer-table host, for the
// passes that matter: idle, menu with a status message, mode-0 fire, a 50-candidate scan, and
// the automatic shot branch. Reported per pass: time, native calls, heap allocations, the host's
// share (the pass's calls replayed without the script) and the script's own time, the rest.
#include "allocation_counter.h"
#include "answer_table_host.h"

#include "runtime/entry.h"
#include "runtime/game_controls.h"
#include "runtime/natives.h"
#include "runtime/platform_calls.h"
#include "runtime/state.h"
#include "ui/status_text.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>

namespace {

constexpr NativeHash hashOf(Native native) { return static_cast<NativeHash>(native); }

constexpr Ped playerPed = 0x100;
constexpr Vehicle crewVehicle = 0x200;
constexpr Ped gunner = 0x300;
constexpr Ped firstCandidate = 0x1000;
constexpr int candidates = 50;

// The state a freshly started script has once it has read the screen resolution.
void startScript() {
    resetScriptState();
    // As when the settings have been read: the menu's held-back controls are known.
    findMenuControls();
    state.screenWidth = 1280;
    state.screenHeight = 720;
    bench::clearAnswers();
    bench::releaseKeys();
    bench::setTick(1'000'000);
    bench::answerInt(hashOf(Native::PLAYER_ID), 0);
    bench::answerInt(hashOf(Native::PLAYER_PED_ID), playerPed);
    bench::answerInt(hashOf(Native::END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING), 1);
    bench::answerFloat(hashOf(Native::GET_RENDERED_CHARACTER_HEIGHT), 0.02f);
}

// A crew in fighting order: everything exists, the player and the gunner use the crew
// vehicle, the gunner sits in it and is fit.
void startWithCrew(std::int32_t attackMode) {
    startScript();
    state.crewVehicle = crewVehicle;
    state.gunnerPed = gunner;
    state.gunnerSeat = 1;
    state.attackMode = attackMode;
    bench::answerInt(hashOf(Native::DOES_ENTITY_EXIST), 1);
    bench::answerInt(hashOf(Native::GET_VEHICLE_PED_IS_USING), crewVehicle);
    bench::answerInt(hashOf(Native::IS_PED_SITTING_IN_VEHICLE), 1);
    bench::answerInt(hashOf(Native::GET_ENTITY_HEALTH), 200);
    bench::answerFloat(hashOf(Native::GET_VEHICLE_PETROL_TANK_HEALTH), 1000.0f);
    bench::answerVector(hashOf(Native::GET_GAMEPLAY_CAM_COORD), 0.0f, -4.0f, 1.5f);
    bench::answerVector(hashOf(Native::GET_PED_BONE_COORDS), 0.0f, 0.0f, 0.7f);
    bench::answerFloat(hashOf(Native::GET_DISTANCE_BETWEEN_COORDS), 10.0f);
    bench::answerVector(hashOf(Native::GET_ENTITY_VELOCITY), 1.0f, 0.0f, 0.0f);
    bench::answerVector(hashOf(Native::GET_ENTITY_COORDS), 5.0f, 5.0f, 0.0f);
    bench::answerVector(hashOf(Native::GET_OFFSET_FROM_ENTITY_IN_WORLD_COORDS), 0.0f, 0.0f, 0.0f);
    bench::answerInt(hashOf(Native::IS_ENTITY_A_PED), 1);
    bench::answerInt(hashOf(Native::HAS_ENTITY_CLEAR_LOS_TO_ENTITY), 1);
    bench::answerInt(hashOf(Native::GET_PED_TYPE), 4);
    // Accepted in mode 1 only by the last test: each candidate costs all three damage queries.
    bench::answerWith(hashOf(Native::HAS_ENTITY_BEEN_DAMAGED_BY_ENTITY),
                      [](const std::uint64_t* args, int, std::uint64_t* result) {
                          result[0] = static_cast<std::int32_t>(args[0]) == crewVehicle ? 1 : 0;
                      });
    // Fifty peds, and a distinct ped handle in every word of the buffer, so that whichever
    // words the scan reads as its fifty entries, each one is a ped that passes every test.
    bench::answerWith(hashOf(Native::GET_PED_NEARBY_PEDS), [](const std::uint64_t* args, int, std::uint64_t* result) {
        auto* words = reinterpret_cast<std::int32_t*>(static_cast<std::uintptr_t>(args[1]));
        for (int i = 0; i < nearbyPedsWords; ++i) words[i] = firstCandidate + i;
        result[0] = candidates;
    });
}

// Runs passes with the clock moving `stepMs` before each, and reports per-pass figures.
template <typename BeforePass>
void measurePasses(benchmark::State& st, std::uint32_t stepMs, BeforePass beforePass) {
    const auto pass = [&] {
        bench::setTick(bench::tick() + stepMs);
        beforePass();
        // The loop's own pass; its catch-all costs nothing unless something throws, and the
        // yield belongs to the host.
        runFramePass();
    };
    for (int warm = 0; warm < 3; ++warm) pass();

    const bench::HostCounters host = bench::hostCounters();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : st) pass();
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    const auto passes = static_cast<double>(st.iterations());
    st.counters["natives"] = static_cast<double>(bench::hostCounters().calls - host.calls) / passes;
    st.counters["waits"] = static_cast<double>(bench::hostCounters().waits - host.waits) / passes;

    // Counted apart from the timed loop, over passes of the same kind, so that nothing but the
    // script runs between the two readings.
    constexpr int countedPasses = 10'000;
    const std::uint64_t allocations = bench::allocationCount();
    for (int counted = 0; counted < countedPasses; ++counted) pass();
    st.counters["allocs"] = static_cast<double>(bench::allocationCount() - allocations) / countedPasses;

    // The host's share: the calls of a stretch of passes replayed without the script.
    constexpr int recordedPasses = 70;
    bench::startRecording();
    for (int recorded = 0; recorded < recordedPasses; ++recorded) pass();
    const double hostNs = bench::replayNs(bench::stopRecording()) / recordedPasses;
    st.counters["host_ns"] = hostNs;
    st.counters["script_ns"] = elapsed.count() / passes - hostNs;
}

void idle(benchmark::State& st) {
    startScript();
    bench::answerInt(hashOf(Native::DOES_ENTITY_EXIST), 0);
    bench::answerInt(hashOf(Native::GET_VEHICLE_PED_IS_USING), 0);
    measurePasses(st, 16, [] {});
}

void menuOpenWithStatusMessage(benchmark::State& st) {
    startScript();
    bench::answerInt(hashOf(Native::DOES_ENTITY_EXIST), 0);
    state.menuOpen = true;
    setStatusText("Attack mode: Tobek attack enemies.", 0x7FFFFFFFu);
    measurePasses(st, 16, [] {});
}

// The two halves of the pass above, to show which caption copies allocate.
void menuOpenOnly(benchmark::State& st) {
    startScript();
    bench::answerInt(hashOf(Native::DOES_ENTITY_EXIST), 0);
    state.menuOpen = true;
    measurePasses(st, 16, [] {});
}

void statusMessageOnly(benchmark::State& st) {
    startScript();
    bench::answerInt(hashOf(Native::DOES_ENTITY_EXIST), 0);
    setStatusText("Attack mode: Tobek attack enemies.", 0x7FFFFFFFu);
    measurePasses(st, 16, [] {});
}

// Player in the crew vehicle in mode 0 with the left button held; at 16 ms frames a shot is
// ordered about every seventh pass, at 120 ms on every pass.
void modeZeroLeftButton(benchmark::State& st) {
    startWithCrew(0);
    bench::setKey(0x01, true);
    measurePasses(st, static_cast<std::uint32_t>(st.range(0)), [] {});
}

// Mode 1 with the player in the crew vehicle; a clock step over a second makes every pass scan.
void modeOneScanFiftyCandidates(benchmark::State& st) {
    startWithCrew(1);
    measurePasses(st, 1100, [] {});
}

// Mode 1 holding a target: the scan is kept from falling due, so every pass takes the shot branch.
void automaticShotBranch(benchmark::State& st) {
    startWithCrew(1);
    state.targetPed = firstCandidate;
    measurePasses(st, 120, [] { state.scanTick = bench::tick(); });
}

}  // namespace

BENCHMARK(idle);
BENCHMARK(menuOpenWithStatusMessage);
BENCHMARK(menuOpenOnly);
BENCHMARK(statusMessageOnly);
BENCHMARK(modeZeroLeftButton)->ArgName("frame_ms")->Arg(16)->Arg(120);
BENCHMARK(modeOneScanFiftyCandidates);
BENCHMARK(automaticShotBranch);

BENCHMARK_MAIN();

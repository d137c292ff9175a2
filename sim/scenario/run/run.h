// Runs a scenario against a script in a fresh simulated host and gathers what happened.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/sim_host.h"
#include "scenario/format/scenario.h"
#include "scenario/narration/tracker.h"
#include "scenario/run/trace.h"
#include "world/screen.h"

namespace scenario {

// What the script's own state says, where the run can read it (the Linux build links the script
// in); each field left empty is derived from the call stream instead.
struct ScriptView {
    std::optional<std::int32_t> attackMode;
    std::optional<sim::Handle> targetPed;
    std::optional<bool> crewExists;
};

struct RunOptions {
    std::function<ScriptView()> probe;
    std::function<void(const NarrationLine&)> onLine;
    // Called every so many frames with the elapsed and the total simulated time.
    std::function<void(std::uint64_t elapsedMs, std::uint64_t endMs)> onProgress;
    // Asked after every frame; true ends the run there (its result then says `stopped`).
    std::function<bool()> stopRequested;
    // Called at the end of every frame, after its checks and before stopRequested: a live session
    // looks at the world here and paces the run.
    std::function<void()> onFrameEnd;
    TraceWriter* trace = nullptr;
    bool collectReport = false;
};

struct CheckResult {
    // The group's time and place; not the group itself, whose copy per check would grow with the square of its size.
    std::optional<std::uint32_t> groupAtMs;
    Origin groupOrigin;
    Expectation check;
    std::uint64_t checkedAtMs = 0;
    bool passed = false;
    std::string actual;    // what was found
    std::string expected;  // what the scenario asked for
};

// Positions at one moment, for the map and the charts of the report.
struct Sample {
    std::uint64_t ms = 0;
    sim::Vec3 player;
    std::optional<sim::Vec3> crewVehicle;
    std::optional<sim::Vec3> gunner;
    std::vector<std::optional<sim::Vec3>> peds;  // in the order of the scenario's peds
    std::vector<bool> pedsDown;
    std::int32_t wantedLevel = 0;
    std::int64_t shotOrders = 0;
    std::int32_t attackMode = 0;
};

// What became of one of the scenario's peds.
struct PedOutcome {
    std::string name;
    std::int64_t shotOrders = 0;  // aimed at it
    std::optional<std::uint64_t> downMs;
    std::optional<std::uint64_t> goneMs;
    std::string state;  // at the end: standing, down or gone
};

struct ScreenShot {
    std::uint64_t ms = 0;
    std::uint64_t frame = 0;
    std::string why;
    sim::ScreenFrame screen;
};

struct RunResult {
    std::uint64_t simulatedMs = 0;
    std::uint64_t frames = 0;
    std::uint64_t nativeCalls = 0;
    std::int64_t shotOrders = 0;          // the script's
    std::int64_t roundsFired = 0;         // the world's: by the orders and by shoot tasks lasting on
    std::int64_t roundsWithoutOrder = 0;  // of those, fired by a shoot task lasting on after its order
    std::int32_t wantedLevel = 0;         // the game's
    std::int32_t scriptWantedLevel = 0;   // the last level the script set
    std::int32_t attackMode = 0;
    bool crewExists = false;
    bool gunnerSeated = false;
    bool playerInCrewVehicle = false;
    std::string crewState;  // in words
    double wallSeconds = 0.0;
    double framesPerSecond = 0.0;
    std::vector<std::string> hostErrors;
    bool stopped = false;  // ended early on request
    // Where what the run derived from the calls disagreed with the script's own state (only
    // when a probe reads it): the crew held, the attack mode (a frame late at most), the target
    // of each shot order.
    std::uint64_t derivationMismatches = 0;
    std::vector<std::string> mismatchNotes;
    std::vector<NarrationLine> narration;
    std::vector<CheckResult> checks;
    std::string log;  // what the script wrote to TobekGunner.log
    bool passed() const;

    // Report material, when asked for; bounded, so that a report of a huge scenario still opens in
    // a browser: the positions of the first `maxMappedPeds` peds only.
    static constexpr std::size_t maxMappedPeds = 200;
    std::vector<Sample> samples;
    std::vector<ShotPoint> shots;
    std::vector<ScreenShot> screens;
    std::vector<std::string> pedNames;  // of the mapped peds
    std::vector<std::string> targetNames;
    std::vector<PedOutcome> peds;
    std::vector<CrewRecord> crews;
    std::int32_t screenWidth = 1280;
    std::int32_t screenHeight = 720;
};

class Run;

// One scenario played on a host that the caller owns: prepare() sets the clock, the world and the
// observers, before the script is loaded; run() starts the registered script and plays the
// timeline to the end. The host is left as the run ends (its script still parked in its wait).
class ScenarioRun {
public:
    ScenarioRun(const Scenario& scenario, sim::SimHost& host, const RunOptions& options);
    ~ScenarioRun();
    ScenarioRun(const ScenarioRun&) = delete;
    ScenarioRun& operator=(const ScenarioRun&) = delete;

    void prepare();
    RunResult run();
    // The folder prepare() made for the script, where it finds its settings and writes its log.
    std::string scriptFolder() const;
    // What the run has derived so far from the calls and the world (crew, shots, status message).
    const Tracker& tracker() const;

private:
    std::unique_ptr<Run> run_;
};

// The same on a fresh host of its own, with `module` loaded into it; the script is stopped after.
RunResult runScenario(const Scenario& scenario, const sim::ScriptModule& module, const RunOptions& options);

}  // namespace scenario

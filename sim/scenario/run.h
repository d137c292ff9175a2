// Runs a scenario against a script in a fresh simulated host and gathers what happened.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/sim_host.h"
#include "scenario/scenario.h"
#include "scenario/trace.h"
#include "scenario/tracker.h"
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
    std::function<void(std::uint32_t elapsedMs, std::uint32_t endMs)> onProgress;
    TraceWriter* trace = nullptr;
    bool collectReport = false;
};

struct CheckResult {
    ExpectationGroup group;  // its time and place
    Expectation check;
    std::uint32_t checkedAtMs = 0;
    bool passed = false;
    std::string actual;    // what was found
    std::string expected;  // what the scenario asked for
};

// Positions at one moment, for the map and the charts of the report.
struct Sample {
    std::uint32_t ms = 0;
    sim::Vec3 player;
    std::optional<sim::Vec3> crewVehicle;
    std::optional<sim::Vec3> gunner;
    std::vector<std::optional<sim::Vec3>> peds;  // in the order of the scenario's peds
    std::vector<bool> pedsDown;
    std::int32_t wantedLevel = 0;
    std::int64_t shotOrders = 0;
    std::int32_t attackMode = 0;
};

struct ScreenShot {
    std::uint32_t ms = 0;
    std::uint64_t frame = 0;
    std::string why;
    sim::ScreenFrame screen;
};

struct RunResult {
    std::uint32_t simulatedMs = 0;
    std::uint64_t frames = 0;
    std::uint64_t nativeCalls = 0;
    std::int64_t shotOrders = 0;
    std::int32_t wantedLevel = 0;        // the game's
    std::int32_t scriptWantedLevel = 0;  // the last level the script set
    std::int32_t attackMode = 0;
    bool crewExists = false;
    bool gunnerSeated = false;
    bool playerInCrewVehicle = false;
    std::string crewState;  // in words
    double wallSeconds = 0.0;
    double framesPerSecond = 0.0;
    std::vector<std::string> hostErrors;
    // Where what the run derived from the calls disagreed with the script's own state (only
    // when a probe reads it): the crew held, the attack mode (a frame late at most), the target
    // of each shot order.
    std::uint64_t derivationMismatches = 0;
    std::vector<std::string> mismatchNotes;
    std::vector<NarrationLine> narration;
    std::vector<CheckResult> checks;
    std::string log;  // what the script wrote to TobekGunner.log
    bool passed() const;

    // Report material, when asked for.
    std::vector<Sample> samples;
    std::vector<ShotPoint> shots;
    std::vector<ScreenShot> screens;
    std::vector<std::string> pedNames;
    std::vector<std::string> targetNames;
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

private:
    std::unique_ptr<Run> run_;
};

// The same on a fresh host of its own, with `module` loaded into it; the script is stopped after.
RunResult runScenario(const Scenario& scenario, const sim::ScriptModule& module, const RunOptions& options);

}  // namespace scenario

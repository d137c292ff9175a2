// The scenario runner: sets the world up, plays the timeline frame by frame and checks expectations.
#include "scenario/run/run.h"

#include <algorithm>
#include <chrono>

#include "scenario/run/run_state.h"

namespace scenario {

bool RunResult::passed() const {
    return !stopped && hostErrors.empty() &&
           std::all_of(checks.begin(), checks.end(), [](const CheckResult& c) { return c.passed; });
}

namespace {

bool narratedOnScreen(NarrationKind kind) {
    return kind == NarrationKind::Menu || kind == NarrationKind::Message || kind == NarrationKind::Mode ||
           kind == NarrationKind::Spawn;
}

}  // namespace

void Run::setUpWorld() {
    sim::World& world = host_.world();
    const WorldSetup& setup = scenario_.world;
    world.screen.width = setup.screenWidth;
    world.screen.height = setup.screenHeight;
    for (const auto& addon : setup.addonModels)
        entities().addModel(addon.name, addon.isVehicle, sim::Entities::gameModelFrames);
    for (const auto& change : setup.models) {
        sim::Model& model = *entities().findModel(change.name);
        model.inImage = change.inImage.value_or(model.inImage);
        model.framesToLoad = change.framesToLoad.value_or(model.framesToLoad);
    }
    sim::SimEntity& player = entities().player();
    player.position = setup.playerPosition;
    player.heading = setup.playerHeading;
    entities().camera = setup.camera;
    for (const auto& ped : setup.peds) placePed(ped);
    for (const auto& vehicle : setup.vehicles) {
        const sim::Handle handle =
            entities().addVehicle(sim::hashName(vehicle.model), vehicle.position, vehicle.heading);
        handles_[vehicle.name] = handle;
        tracker_.name(handle, vehicle.name);
    }
}

sim::Handle Run::placePed(const PedSetup& ped) {
    const sim::Handle handle = entities().addPed(sim::hashName(ped.model), ped.position, ped.heading);
    sim::SimEntity& created = *entities().find(handle);
    created.velocity = ped.velocity;
    created.pedType = ped.pedType;
    created.health = ped.health;
    created.maxHealth = std::max(ped.health, 200);
    created.alive = ped.health > 0;
    handles_[ped.name] = handle;
    tracker_.name(handle, ped.name);
    if (pedHandles_.size() < RunResult::maxMappedPeds) {
        pedHandles_.push_back(handle);
        result_.pedNames.push_back(ped.name);
    }
    return handle;
}

sim::Handle Run::resolve(const std::string& name) {
    if (name == "player") return entities().playerPed;
    if (name == "gunner") return tracker_.gunner();
    if (name == "crew") return tracker_.crewVehicle();
    const auto found = handles_.find(name);
    return found == handles_.end() ? 0 : found->second;
}

void Run::prepare() {
    folder_ = std::make_unique<ScriptFolder>(scenario_.settingsText);
    host_.setScriptPath(folder_->scriptPath());
    host_.setTick(scenario_.world.startTick);
    host_.setFrameMs(scenario_.world.frameMs);
    host_.setRecordCalls(false);
    setUpWorld();
    groupDone_.assign(scenario_.expectations.size(), false);
    for (std::size_t i = 0; i < scenario_.expectations.size(); ++i) {
        if (scenario_.expectations[i].atMs) timedGroups_.push_back(i);
    }
    std::stable_sort(timedGroups_.begin(), timedGroups_.end(), [this](std::size_t a, std::size_t b) {
        return *scenario_.expectations[a].atMs < *scenario_.expectations[b].atMs;
    });
    sampleEveryMs_ = std::max<std::uint64_t>(100, scenario_.endMs / 2000);
    if (options_.onLine) tracker_.setListener(options_.onLine);
    host_.addCallObserver([this](const sim::NativeCall& call) {
        tracker_.onCall(call);
        if (options_.trace != nullptr) options_.trace->write(call);
    });
    host_.addFrameHook([this](sim::SimHost&) { applyDueEvents(); });
}

RunResult Run::run() {
    const auto wallStart = std::chrono::steady_clock::now();
    host_.start();

    do {
        const std::size_t shotsBefore = tracker_.shots().size();
        host_.runFrames(1);
        const std::size_t linesBefore = tracker_.lines().size();
        tracker_.endFrame(host_.frame(), elapsed());
        if (!settingsTold_ && tracker_.lastFrameHadScript()) tellRejectedSettings();
        if (options_.probe) crossCheck(shotsBefore);
        if (options_.collectReport) {
            if (elapsed() >= nextSampleMs_) {
                sample();
                nextSampleMs_ = elapsed() + sampleEveryMs_;
            }
            for (std::size_t i = linesBefore; i < tracker_.lines().size(); ++i) {
                if (narratedOnScreen(tracker_.lines()[i].kind)) {
                    snapshot(tracker_.lines()[i].text);
                    break;
                }
            }
        }
        checkDue(false);
        if (options_.onProgress && (host_.frame() & 1023) == 0) options_.onProgress(elapsed(), scenario_.endMs);
        if (options_.onFrameEnd) options_.onFrameEnd();
        if (options_.stopRequested && options_.stopRequested()) {
            result_.stopped = true;
            break;
        }
    } while (elapsed() < scenario_.endMs);

    tracker_.finish(host_.frame(), elapsed());
    checkDue(true);
    if (options_.collectReport) {
        sample();
        snapshot("the end of the run");
    }
    summarise();
    const auto wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    result_.wallSeconds = wall;
    result_.framesPerSecond = wall > 0.0 ? static_cast<double>(result_.frames) / wall : 0.0;
    return std::move(result_);
}

ScenarioRun::ScenarioRun(const Scenario& scenario, sim::SimHost& host, const RunOptions& options)
    : run_(std::make_unique<Run>(scenario, host, options)) {}

ScenarioRun::~ScenarioRun() = default;

void ScenarioRun::prepare() { run_->prepare(); }

RunResult ScenarioRun::run() { return run_->run(); }

std::string ScenarioRun::scriptFolder() const { return run_->scriptFolder(); }

const Tracker& ScenarioRun::tracker() const { return run_->tracker(); }

RunResult runScenario(const Scenario& scenario, const sim::ScriptModule& module, const RunOptions& options) {
    sim::SimHost host(sim::HostConfig{scenario.world.startTick, scenario.world.frameMs, false});
    ScenarioRun run(scenario, host, options);
    run.prepare();
    host.load(module);
    RunResult result = run.run();
    host.stop();
    return result;
}

}  // namespace scenario

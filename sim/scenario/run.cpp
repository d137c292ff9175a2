// The scenario runner: sets the world up, plays the timeline frame by frame and checks expectations.
#include "scenario/run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

#include "scenario/keys.h"
#include "scenario/script_folder.h"

namespace scenario {

bool RunResult::passed() const {
    return !stopped && hostErrors.empty() &&
           std::all_of(checks.begin(), checks.end(), [](const CheckResult& c) { return c.passed; });
}

namespace {

std::string yesNo(bool value) { return value ? "true" : "false"; }

std::string vecText(sim::Vec3 v) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "(%.1f, %.1f, %.1f)", static_cast<double>(v.x), static_cast<double>(v.y),
                  static_cast<double>(v.z));
    return buffer;
}

bool narratedOnScreen(const std::string& kind) {
    return kind == "menu" || kind == "message" || kind == "mode" || kind == "spawn";
}

}  // namespace

class Run {
public:
    Run(const Scenario& scenario, sim::SimHost& host, const RunOptions& options)
        : scenario_(scenario), options_(options), host_(host), tracker_(host.world(), scenario.world.startTick) {}

    void prepare();
    RunResult run();
    std::string scriptFolder() const { return folder_ ? folder_->folder().string() : std::string(); }

private:
    sim::Entities& entities() { return host_.world().entities; }
    // 64 bits: a run may last up to 2^32 - 1 ms, and its last frame ends past that.
    std::uint64_t elapsed() const { return (host_.frame() - 1) * std::uint64_t{scenario_.world.frameMs}; }
    void setUpWorld();
    void applyDueEvents();
    void apply(const TimelineEvent& event);
    sim::Handle resolve(const std::string& name);
    void say(std::string kind, std::string text) {
        tracker_.say(elapsed(), host_.frame(), std::move(kind), std::move(text));
    }
    void setKey(int key, bool down) {
        host_.setKey(key, down);
        tracker_.keyChange(key, down, host_.frame(), elapsed());
    }
    void checkDue(bool atEnd);
    void evaluate(const ExpectationGroup& group);
    CheckResult evaluate(const ExpectationGroup& group, const Expectation& check);
    void sample();
    void snapshot(const std::string& why);
    void summarise();
    void crossCheck(std::size_t shotsBefore);
    void mismatch(const std::string& what);

    const Scenario& scenario_;
    RunOptions options_;
    sim::SimHost& host_;
    Tracker tracker_;
    RunResult result_;
    std::map<std::string, sim::Handle> handles_;
    std::vector<sim::Handle> pedHandles_;  // the mapped ones
    std::size_t nextEvent_ = 0;
    std::multimap<std::uint64_t, std::vector<int>> releases_;
    std::vector<bool> groupDone_;
    std::vector<std::size_t> timedGroups_;  // the groups with a time, by time
    std::size_t nextDue_ = 0;
    std::uint64_t sampleEveryMs_ = 100;
    std::optional<std::int32_t> probedModeBefore_;
    std::uint64_t nextSampleMs_ = 0;
    std::unique_ptr<ScriptFolder> folder_;
};

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
    for (const auto& ped : setup.peds) {
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
    }
    for (const auto& vehicle : setup.vehicles) {
        const sim::Handle handle =
            entities().addVehicle(sim::hashName(vehicle.model), vehicle.position, vehicle.heading);
        handles_[vehicle.name] = handle;
        tracker_.name(handle, vehicle.name);
    }
}

sim::Handle Run::resolve(const std::string& name) {
    if (name == "player") return entities().playerPed;
    if (name == "gunner") return tracker_.gunner();
    if (name == "crew") return tracker_.crewVehicle();
    const auto found = handles_.find(name);
    return found == handles_.end() ? 0 : found->second;
}

void Run::applyDueEvents() {
    const std::uint64_t now = elapsed();
    while (!releases_.empty() && releases_.begin()->first <= now) {
        for (const int key : releases_.begin()->second) setKey(key, false);
        releases_.erase(releases_.begin());
    }
    while (nextEvent_ < scenario_.timeline.size() && scenario_.timeline[nextEvent_].atMs <= now) {
        apply(scenario_.timeline[nextEvent_++]);
    }
}

void Run::apply(const TimelineEvent& event) {
    auto missing = [&](const std::string& what) {
        say("world", "(" + what + ": nothing happens; " + describe(event.origin) + ")");
    };
    const sim::Handle subject = event.subject.empty() ? 0 : resolve(event.subject);
    sim::SimEntity* entity = entities().find(subject);
    auto subjectText = [&] {
        return event.subject == "crew"     ? std::string("the crew vehicle")
               : event.subject == "gunner" ? std::string("the gunner")
                                           : event.subject;
    };

    switch (event.action) {
        case Action::Press:
            for (const int key : event.keys) setKey(key, true);
            say("input", "press " + event.keyText);
            break;
        case Action::Release:
            for (const int key : event.keys) setKey(key, false);
            say("input", "release " + event.keyText);
            break;
        case Action::Tap:
            for (const int key : event.keys) setKey(key, true);
            releases_.emplace(elapsed() + std::uint64_t{event.holdMs}, event.keys);
            say("input", "tap " + event.keyText);
            break;
        case Action::EnterVehicle:
            if (entity == nullptr || entity->kind != sim::EntityKind::Vehicle)
                return missing(event.subject == "crew" ? "no crew vehicle to enter"
                                                       : "no " + event.subject + " to enter");
            entities().seatPed(entities().playerPed, subject, event.seat);
            say("world", "the player gets into " + subjectText());
            break;
        case Action::LeaveVehicle:
            entities().unseatPed(entities().playerPed);
            say("world", "the player gets out of the vehicle");
            break;
        case Action::Move:
            if (entity == nullptr) return missing(subjectText() + " is not in the world");
            if (event.point) entities().setPosition(subject, *event.point);
            if (event.velocity) entity->velocity = *event.velocity;
            say("world", subjectText() + (event.point ? " moves to " + vecText(*event.point) : std::string()) +
                             (event.velocity ? " with velocity " + vecText(*event.velocity) : std::string()));
            break;
        case Action::Shoot: {
            const sim::Handle victim = resolve(event.object);
            if (entity == nullptr) return missing(event.subject + " is not in the world");
            if (!entities().exists(victim)) return missing("no " + event.object + " to shoot at");
            entities().damage(victim, subject, event.amount);
            say("world", event.subject + " shoots " +
                             (event.object == "crew"     ? std::string("the crew vehicle")
                              : event.object == "gunner" ? std::string("the gunner")
                              : event.object == "player" ? std::string("the player")
                                                         : event.object) +
                             " (" + std::to_string(event.amount) + " damage)");
            break;
        }
        case Action::Hide:
        case Action::Reveal:
            if (entity == nullptr) return missing(event.subject + " is not in the world");
            entity->hiddenFromGunner = event.action == Action::Hide;
            say("world", event.subject + (event.action == Action::Hide ? " hides from the gunner's sight"
                                                                       : " comes into the gunner's sight"));
            break;
        case Action::Vanish:
            if (entity == nullptr) return missing(event.subject + " is not in the world");
            entities().remove(subject);
            say("world", event.subject + " vanishes");
            break;
        case Action::Kill:
            if (entity == nullptr) return missing(subjectText() + " is not in the world");
            entity->health = 0;
            entity->alive = false;
            ++entities().lifeChanges;
            say("world", subjectText() + " is killed");
            break;
        case Action::SetHealth:
            if (entity == nullptr) return missing(subjectText() + " is not in the world");
            entity->health = event.amount;
            entity->alive = event.amount > 0;
            ++entities().lifeChanges;
            say("world", subjectText() + "'s health is set to " + std::to_string(event.amount));
            break;
        case Action::ThrowOutGunner: {
            sim::SimEntity* gunner = entities().find(tracker_.gunner());
            if (gunner == nullptr) return missing("no gunner to throw out");
            entities().unseatPed(gunner->handle);
            gunner->task = sim::Task{};
            say("world", "the gunner is thrown out of the vehicle");
            break;
        }
        case Action::FlipVehicle:
        case Action::RightVehicle:
        case Action::IntoWater:
        case Action::OutOfWater:
        case Action::TankHealth: {
            sim::SimEntity* vehicle = entities().find(tracker_.crewVehicle());
            if (vehicle == nullptr) return missing("no crew vehicle");
            if (event.action == Action::FlipVehicle || event.action == Action::RightVehicle) {
                vehicle->upsideDown = event.action == Action::FlipVehicle;
                say("world", vehicle->upsideDown ? "the crew vehicle flips onto its roof"
                                                 : "the crew vehicle is back on its wheels");
            } else if (event.action == Action::TankHealth) {
                vehicle->petrolTankHealth = event.value;
                char text[80];
                std::snprintf(text, sizeof text, "the crew vehicle's petrol tank health drops to %.1f",
                              static_cast<double>(event.value));
                say("world", text);
            } else {
                vehicle->inWater = event.action == Action::IntoWater;
                say("world",
                    vehicle->inWater ? "the crew vehicle ends up in water" : "the crew vehicle is back on land");
            }
            break;
        }
        case Action::ClearWanted:
            entities().clearWantedLevel();
            say("world", "the game clears the wanted level");
            break;
        case Action::MoveCamera:
            entities().camera = *event.point;
            say("world", "the camera moves to " + vecText(*event.point));
            break;
        case Action::Focus:
            host_.setFocus(event.flag);
            say("input", event.flag ? "the game's window has the focus again" : "another window takes the focus");
            break;
    }
}

CheckResult Run::evaluate(const ExpectationGroup& group, const Expectation& check) {
    CheckResult out;
    out.groupAtMs = group.atMs;
    out.groupOrigin = group.origin;
    out.check = check;
    out.checkedAtMs = elapsed();
    const ScriptView view = options_.probe ? options_.probe() : ScriptView{};
    const sim::SimEntity& player = entities().player();
    const sim::Handle crew = tracker_.crewVehicle();
    switch (check.check) {
        case Check::WantedLevel:
            out.expected = "wanted level " + std::to_string(check.number);
            out.actual = "wanted level " + std::to_string(entities().wantedLevel);
            out.passed = entities().wantedLevel == check.number;
            break;
        case Check::AttackMode: {
            const std::int32_t mode = view.attackMode.value_or(tracker_.attackMode());
            out.expected = "attack mode " + std::to_string(check.number);
            out.actual = "attack mode " + std::to_string(mode);
            out.passed = mode == check.number;
            break;
        }
        case Check::Status:
            out.expected = check.text.empty() ? "no status message" : "status message \"" + check.text + "\"";
            out.actual = tracker_.statusMessage().empty() ? "no status message"
                                                          : "status message \"" + tracker_.statusMessage() + "\"";
            out.passed = tracker_.statusMessage() == check.text;
            break;
        case Check::CrewExists: {
            const bool exists = view.crewExists.value_or(tracker_.crewHeld());
            out.expected = "crew_exists " + yesNo(check.flag);
            out.actual = "crew_exists " + yesNo(exists);
            out.passed = exists == check.flag;
            break;
        }
        case Check::PlayerInCrewVehicle: {
            const bool inside = crew != 0 && player.vehicle == crew && player.sitting;
            out.expected = "player_in_crew_vehicle " + yesNo(check.flag);
            out.actual = "player_in_crew_vehicle " + yesNo(inside);
            out.passed = inside == check.flag;
            break;
        }
        case Check::GunnerInCrewVehicle: {
            const sim::SimEntity* gunner = entities().find(tracker_.gunner());
            const bool inside = gunner != nullptr && crew != 0 && gunner->vehicle == crew && gunner->sitting;
            out.expected = "gunner_in_crew_vehicle " + yesNo(check.flag);
            out.actual = "gunner_in_crew_vehicle " + yesNo(inside);
            out.passed = inside == check.flag;
            break;
        }
        case Check::PedDown:
        case Check::PedStanding: {
            const sim::SimEntity* ped = entities().find(resolve(check.text));
            const bool down = ped != nullptr && (!ped->alive || ped->health <= 0);
            const std::string state = ped == nullptr ? "gone"
                                      : down         ? "down"
                                                     : "standing (health " + std::to_string(ped->health) + ")";
            out.expected = check.text + (check.check == Check::PedDown ? " down" : " standing");
            out.actual = check.text + " " + state;
            out.passed = check.check == Check::PedDown ? down : (ped != nullptr && !down);
            break;
        }
        case Check::Target: {
            const sim::Handle target = view.targetPed.value_or(tracker_.target());
            const sim::Handle wanted = check.text == "none" ? 0 : resolve(check.text);
            out.expected = "target " + check.text;
            out.actual = "target " + (target == 0 ? std::string("none") : tracker_.nameOf(target));
            out.passed = target == wanted;
            break;
        }
        case Check::GunnerModel: {
            const sim::SimEntity* gunner = entities().findPed(tracker_.gunner());
            const sim::Model* model = gunner == nullptr ? nullptr : entities().findModel(gunner->model);
            out.expected = "gunner_model " + check.text;
            out.actual = "gunner_model " + (gunner == nullptr  ? std::string("none (no gunner)")
                                            : model == nullptr ? std::string("unknown")
                                                               : model->name);
            out.passed = gunner != nullptr && gunner->model == sim::hashName(check.text);
            break;
        }
        case Check::ShotOrders: {
            const std::int64_t shots = tracker_.shotOrders();
            out.expected = check.min == check.max
                               ? std::to_string(check.min) + " shot orders"
                               : "shot orders in [" + std::to_string(check.min) + ", " +
                                     (check.max == INT64_MAX ? std::string("...") : std::to_string(check.max)) + "]";
            out.actual = std::to_string(shots) + " shot orders";
            out.passed = shots >= check.min && shots <= check.max;
            break;
        }
        case Check::LogContains: {
            const std::string log = folder_->readLog();
            out.expected = "a log line holding \"" + check.text + "\"";
            out.actual = log.find(check.text) != std::string::npos ? out.expected : "no such line in the log";
            out.passed = log.find(check.text) != std::string::npos;
            break;
        }
    }
    return out;
}

void Run::evaluate(const ExpectationGroup& group) {
    for (const auto& check : group.checks) {
        CheckResult outcome = evaluate(group, check);
        say("check", std::string(outcome.passed ? "ok: " : "FAILED: ") + "expected " + outcome.expected +
                         (outcome.passed ? "" : ", found " + outcome.actual) + " (" + describe(check.origin) + ")");
        result_.checks.push_back(std::move(outcome));
    }
    if (options_.collectReport) snapshot("expectations of " + describe(group.origin));
}

void Run::checkDue(bool atEnd) {
    // Timed groups come due in order of time, so each frame looks only at the next few of them;
    // those due together are checked in the order they were written.
    std::vector<std::size_t> due;
    while (nextDue_ < timedGroups_.size() &&
           (atEnd || *scenario_.expectations[timedGroups_[nextDue_]].atMs <= elapsed())) {
        due.push_back(timedGroups_[nextDue_++]);
    }
    if (atEnd) {
        due.clear();
        for (std::size_t i = 0; i < scenario_.expectations.size(); ++i) due.push_back(i);
    }
    std::sort(due.begin(), due.end());
    for (const std::size_t i : due) {
        if (groupDone_[i]) continue;
        groupDone_[i] = true;
        evaluate(scenario_.expectations[i]);
    }
}

void Run::sample() {
    Sample s;
    s.ms = elapsed();
    s.player = entities().player().position;
    if (const sim::SimEntity* vehicle = entities().find(tracker_.crewVehicle())) s.crewVehicle = vehicle->position;
    if (const sim::SimEntity* gunner = entities().find(tracker_.gunner())) s.gunner = gunner->position;
    for (const sim::Handle handle : pedHandles_) {
        const sim::SimEntity* ped = entities().find(handle);
        s.peds.push_back(ped != nullptr ? std::optional<sim::Vec3>(ped->position) : std::nullopt);
        s.pedsDown.push_back(ped != nullptr && (!ped->alive || ped->health <= 0));
    }
    s.wantedLevel = entities().wantedLevel;
    s.shotOrders = tracker_.shotOrders();
    s.attackMode = tracker_.attackMode();
    result_.samples.push_back(std::move(s));
}

void Run::snapshot(const std::string& why) {
    if (result_.screens.size() >= 60) return;
    ScreenShot shot;
    shot.ms = elapsed();
    shot.frame = host_.frame();
    shot.why = why;
    shot.screen = host_.world().screen.current;
    result_.screens.push_back(std::move(shot));
}

void Run::mismatch(const std::string& what) {
    ++result_.derivationMismatches;
    if (result_.mismatchNotes.size() < 20) {
        result_.mismatchNotes.push_back("at " + std::to_string(elapsed()) + " ms (frame " +
                                        std::to_string(host_.frame()) + "): " + what);
    }
}

void Run::crossCheck(std::size_t shotsBefore) {
    const ScriptView view = options_.probe();
    if (view.crewExists && *view.crewExists != tracker_.crewHeld()) {
        mismatch("the script " + std::string(*view.crewExists ? "holds" : "holds no") +
                 " crew, the calls say otherwise");
    }
    if (view.attackMode) {
        // A new mode shows in its message from the next frame on.
        const bool now = *view.attackMode == tracker_.attackMode();
        const bool before = probedModeBefore_ && *probedModeBefore_ == tracker_.attackMode();
        if (!now && !before) {
            mismatch("attack mode " + std::to_string(*view.attackMode) + " in the script, " +
                     std::to_string(tracker_.attackMode()) + " from the calls");
        }
        probedModeBefore_ = view.attackMode;
    }
    const auto& shots = tracker_.shots();
    if (view.targetPed && shots.size() > shotsBefore && shots.back().target != 0 &&
        shots.back().target != *view.targetPed) {
        mismatch("a shot order at " + tracker_.nameOf(shots.back().target) + " while the script's target is " +
                 tracker_.nameOf(*view.targetPed));
    }
}

void Run::summarise() {
    result_.simulatedMs = elapsed();
    result_.frames = host_.frame();
    result_.nativeCalls = host_.callCount();
    result_.shotOrders = tracker_.shotOrders();
    result_.wantedLevel = entities().wantedLevel;
    result_.scriptWantedLevel = tracker_.scriptWantedLevel();
    const ScriptView view = options_.probe ? options_.probe() : ScriptView{};
    result_.attackMode = view.attackMode.value_or(tracker_.attackMode());
    result_.crewExists = view.crewExists.value_or(tracker_.crewHeld());
    const sim::Handle crew = tracker_.crewVehicle();
    const sim::SimEntity* gunner = entities().find(tracker_.gunner());
    result_.gunnerSeated = gunner != nullptr && crew != 0 && gunner->vehicle == crew && gunner->sitting;
    const sim::SimEntity& player = entities().player();
    result_.playerInCrewVehicle = crew != 0 && player.vehicle == crew && player.sitting;
    if (crew == 0) {
        result_.crewState = "no crew was spawned";
    } else if (result_.crewExists) {
        result_.crewState = std::string("active, the gunner ") +
                            (result_.gunnerSeated ? "seated" : "out of the vehicle") + ", the player " +
                            (result_.playerInCrewVehicle ? "in the crew vehicle" : "elsewhere");
    } else if (tracker_.giveUpOrders() > 0) {
        result_.crewState = "given up";
    } else {
        result_.crewState = "gone";
    }
    result_.hostErrors = host_.errors();
    result_.log = folder_->readLog();
    result_.narration = tracker_.lines();
    result_.shots = tracker_.shots();
    for (const sim::Handle target : tracker_.targets()) result_.targetNames.push_back(tracker_.nameOf(target));
    for (std::size_t p = 0; p < pedHandles_.size(); ++p) {
        const sim::Handle handle = pedHandles_[p];
        PedOutcome outcome;
        outcome.name = result_.pedNames[p];
        for (const auto& shot : result_.shots) outcome.shotOrders += shot.target == handle ? 1 : 0;
        outcome.downMs = tracker_.downAt(handle);
        outcome.goneMs = tracker_.goneAt(handle);
        const sim::SimEntity* ped = entities().find(handle);
        outcome.state = ped == nullptr ? "gone" : (!ped->alive || ped->health <= 0) ? "down" : "standing";
        result_.peds.push_back(std::move(outcome));
    }
    result_.crews = tracker_.crews();
    result_.screenWidth = scenario_.world.screenWidth;
    result_.screenHeight = scenario_.world.screenHeight;
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

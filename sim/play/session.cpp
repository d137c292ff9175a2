// The live session's run: the scenario engine plays a timeline that grows as the player plays,
// paced in real time at the end of each frame.
#include "play/session.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "play/entry_text.h"
#include "play/view.h"
#include "scenario/format/kinds.h"
#include "scenario/format/parser.h"

namespace play {
namespace {

using Clock = std::chrono::steady_clock;

// The views a page gets: about 30 a second, whatever the speed.
constexpr auto publishEvery = std::chrono::milliseconds(33);

// The longest run the scenario format takes, so that every recording reads back.
std::uint32_t longestEnd(std::uint32_t frameMs) {
    const std::uint64_t end = (scenario::maxRunFrames - 1) * std::uint64_t{frameMs};
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(end, 0xFFFFFFFFu));
}

}  // namespace

Session::Session(SessionSetup setup) : setup_(std::move(setup)), live_(setup_.start), paused_(setup_.startPaused) {
    live_.timeline.clear();
    live_.expectations.clear();
    live_.endMs = longestEnd(live_.world.frameMs);
    recording_.name = "Played: " + (setup_.start.name.empty() ? std::string("a session") : setup_.start.name);
    recording_.description = "Recorded live with gunner-sim --play.";
    recording_.world = setup_.start.world;
    recording_.settingsText = setup_.start.settingsText;
    recording_.settingsFile = settingsFileName();
    // Settings are checked when the entry is, so they are left out of the text that checks entries.
    worldOnly_ = "end = 1\n" + worldText(setup_.start.world);
}

Session::~Session() { stop(); }

std::string Session::settingsFileName() const {
    return std::filesystem::path(setup_.recordName).stem().string() + ".ini";
}

void Session::start() {
    host_ = std::make_unique<sim::SimHost>(sim::HostConfig{live_.world.startTick, live_.world.frameMs, false});
    scenario::RunOptions options;
    options.probe = setup_.probe;
    options.onLine = [this](const scenario::NarrationLine& line) {
        const std::lock_guard lock(mutex_);
        lines_.push_back(line);
    };
    options.onFrameEnd = [this] { frameEnded(); };
    options.stopRequested = [this] {
        const std::lock_guard lock(mutex_);
        return stopping_;
    };
    run_ = std::make_unique<scenario::ScenarioRun>(live_, *host_, options);
    run_->prepare();
    for (const auto& [handle, entity] : host_->world().entities.entities) {
        if (entity.kind == sim::EntityKind::Ped) pedHandles_.emplace_back(run_->tracker().nameOf(handle), handle);
    }
    host_->load(setup_.module);
    nextFrameAt_ = Clock::now();
    thread_ = std::thread([this] { runBody(); });
}

void Session::runBody() {
    run_->run();
    host_->stop();
    const std::lock_guard lock(mutex_);
    ended_ = true;
    changed_.notify_all();
}

void Session::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }
    if (thread_.joinable()) thread_.join();
}

bool Session::ended() const {
    const std::lock_guard lock(mutex_);
    return ended_;
}

std::uint64_t Session::frames() const {
    const std::lock_guard lock(mutex_);
    return frames_;
}

Moment Session::momentNow() const {
    const sim::Entities& entities = host_->world().entities;
    const scenario::Tracker& tracker = run_->tracker();
    const scenario::ScriptView script = setup_.probe ? setup_.probe() : scenario::ScriptView{};
    Moment moment;
    moment.ms = (host_->frame() - 1) * std::uint64_t{live_.world.frameMs};
    moment.wantedLevel = entities.wantedLevel;
    moment.attackMode = script.attackMode.value_or(tracker.attackMode());
    moment.crewExists = script.crewExists.value_or(tracker.crewHeld());
    moment.playerInCrewVehicle = entities.isSittingIn(entities.playerPed, tracker.crewVehicle());
    moment.shotOrders = tracker.shotOrders();
    moment.status = tracker.statusMessage();
    for (const auto& ped : live_.world.peds) {
        const auto found = std::ranges::find(pedHandles_, ped.name, &std::pair<std::string, sim::Handle>::first);
        const sim::SimEntity* entity = found == pedHandles_.end() ? nullptr : entities.find(found->second);
        moment.peds.push_back(PedState{ped.name, entity != nullptr, entity != nullptr && entity->isDown()});
    }
    return moment;
}

void Session::publish(const Moment& moment) {
    const scenario::ScriptView script = setup_.probe ? setup_.probe() : scenario::ScriptView{};
    bool paused = false;
    double speed = 1.0;
    {
        const std::lock_guard lock(mutex_);
        paused = paused_;
        speed = speed_;
    }
    const ViewInput input{*host_, run_->tracker(), script, moment, paused, speed, false};
    std::string json = viewJson(input);
    const std::lock_guard lock(mutex_);
    view_.json = std::move(json);
    ++view_.number;
    lastPublish_ = Clock::now();
    changed_.notify_all();
}

void Session::frameEnded() {
    const Moment moment = momentNow();
    bool publishNow = false;
    {
        const std::lock_guard lock(mutex_);
        moment_ = moment;
        ++frames_;
        changed_.notify_all();
        publishNow = paused_ || stepsLeft_ > 0 || Clock::now() - lastPublish_ >= publishEvery;
    }
    if (publishNow) publish(moment);
    std::unique_lock lock(mutex_);
    pace(lock);
    drainPending();
}

void Session::pace(std::unique_lock<std::mutex>& lock) {
    while (!stopping_) {
        if (stepsLeft_ > 0) {
            --stepsLeft_;
            nextFrameAt_ = Clock::now();
            return;
        }
        if (paused_) {
            changed_.wait(lock);
            continue;
        }
        const auto frameTime = std::chrono::duration<double, std::milli>(live_.world.frameMs / speed_);
        const auto due = nextFrameAt_ + std::chrono::duration_cast<Clock::duration>(frameTime);
        const auto now = Clock::now();
        if (now >= due) {
            // A session held up (a slow page, a suspended laptop) goes on at its pace, not in a rush.
            nextFrameAt_ = now - due > std::chrono::milliseconds(100) ? now : due;
            return;
        }
        changed_.wait_until(lock, due);
    }
}

void Session::drainPending() {
    const std::uint64_t at = host_->frame() * std::uint64_t{live_.world.frameMs};
    for (auto& pending : pending_) {
        pending.event.atMs = static_cast<std::uint32_t>(at);
        pending.event.origin = scenario::Origin{setup_.recordName, entryLine(recording_, recording_.entries.size()), 0};
        live_.timeline.push_back(pending.event);
        recording_.entries.push_back(entryAt(at, pending.fields));
    }
    pending_.clear();
}

scenario::TimelineEvent Session::checkedEvent(const std::string& fields,
                                              const std::vector<std::string>& addedPeds) const {
    std::string timeline;
    for (const std::string& added : addedPeds) timeline += entryAt(0, added) + ", ";
    const std::string text = "timeline = [" + timeline + entryAt(0, fields) + "]\n" + worldOnly_;
    try {
        scenario::Scenario parsed = scenario::parseScenario(text, setup_.recordName);
        return parsed.timeline.back();
    } catch (const scenario::ScenarioError& error) {
        throw std::invalid_argument(error.field() + ": " + error.reason());
    }
}

void Session::act(const nlohmann::ordered_json& fields) {
    std::string text = entryFields(fields);
    std::vector<std::string> addedPeds;
    {
        const std::lock_guard lock(mutex_);
        addedPeds = addedPeds_;
    }
    scenario::TimelineEvent event = checkedEvent(text, addedPeds);
    const std::lock_guard lock(mutex_);
    if (ended_ || stopping_) throw std::invalid_argument("the session has ended");
    if (event.kind->placesPed) {
        // Another request may have brought in a ped of that name since the check.
        if (std::ranges::find(addedPedNames_, event.subject) != addedPedNames_.end())
            throw std::invalid_argument("'" + event.subject + "' is already a ped or vehicle of the world");
        addedPeds_.push_back(text);
        addedPedNames_.push_back(event.subject);
    }
    pending_.push_back(Pending{std::move(text), std::move(event)});
    changed_.notify_all();
}

void Session::expectNow() {
    const std::lock_guard lock(mutex_);
    if (frames_ == 0) return;
    recording_.expectations.push_back(expectationText(moment_, false));
}

void Session::setPaused(bool paused) {
    const std::lock_guard lock(mutex_);
    paused_ = paused;
    nextFrameAt_ = Clock::now();
    changed_.notify_all();
}

void Session::setSpeed(double speed) {
    const std::lock_guard lock(mutex_);
    speed_ = std::clamp(speed, 0.25, 8.0);
    changed_.notify_all();
}

void Session::step(std::uint32_t frames) {
    const std::lock_guard lock(mutex_);
    stepsLeft_ += frames;
    changed_.notify_all();
}

bool Session::waitForFrames(std::uint64_t frames, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return frames_ >= frames || ended_; }) && frames_ >= frames;
}

View Session::nextView(std::uint64_t seen, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return view_.number > seen || ended_; });
    return view_;
}

std::string Session::linesSince(std::size_t from, std::size_t& next) const {
    const std::lock_guard lock(mutex_);
    next = lines_.size();
    return linesJson(lines_, from);
}

std::string Session::recording() const {
    const std::lock_guard lock(mutex_);
    return scenarioText(recording_, moment_);
}

}  // namespace play

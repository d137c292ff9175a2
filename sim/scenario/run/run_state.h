// The scenario run's own state, shared by the files that play the timeline, check expectations and gather the report.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scenario/run/run.h"
#include "scenario/run/script_folder.h"

namespace scenario {

class Run {
public:
    Run(const Scenario& scenario, sim::SimHost& host, const RunOptions& options)
        : scenario_(scenario), options_(options), host_(host), tracker_(host.world(), scenario.world.startTick) {}

    void prepare();
    RunResult run();
    std::string scriptFolder() const { return folder_ ? folder_->folder().string() : std::string(); }

    // For the timeline events and the expectation checks (kind_support.h).
    sim::Entities& entities() { return host_.world().entities; }
    const Tracker& tracker() const { return tracker_; }
    sim::SimHost& host() { return host_; }
    // 64 bits: a run may last up to 2^32 - 1 ms, and its last frame ends past that.
    std::uint64_t elapsed() const { return (host_.frame() - 1) * std::uint64_t{scenario_.world.frameMs}; }
    sim::Handle resolve(const std::string& name);
    // A ped of the world, at the start or brought in by the timeline, under its scenario name.
    sim::Handle placePed(const PedSetup& ped);
    void say(NarrationKind kind, std::string text, bool failed = false) {
        tracker_.say(elapsed(), host_.frame(), kind, std::move(text), failed);
    }
    void setKey(int key, bool down) {
        host_.setKey(key, down);
        tracker_.keyChange(key, down, host_.frame(), elapsed());
    }
    // Lets the keys go after `holdMs`.
    void releaseLater(std::uint64_t holdMs, std::vector<int> keys) {
        releases_.emplace(elapsed() + holdMs, std::move(keys));
    }
    std::string readLog() const { return folder_->readLog(); }

private:
    void setUpWorld();
    void applyDueEvents();
    void apply(const TimelineEvent& event);
    void checkDue(bool atEnd);
    void evaluate(const ExpectationGroup& group);
    CheckResult evaluate(const ExpectationGroup& group, const Expectation& check);
    void sample();
    void snapshot(const std::string& why);
    void summarise();
    void crossCheck(std::size_t shotsBefore);
    void mismatch(const std::string& what);
    void tellRejectedSettings();

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
    bool settingsTold_ = false;  // the log's settings lines have been looked at
};

}  // namespace scenario

// The scenario run's own state, shared by the files that play the timeline, check expectations and gather the report.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scenario/run.h"
#include "scenario/script_folder.h"

namespace scenario {

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

}  // namespace scenario

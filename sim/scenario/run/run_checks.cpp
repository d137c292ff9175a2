// Checking a scenario's expectations against the world, the calls and the script's own state; each
// check by its kind (expectation_kinds.cpp).
#include <algorithm>

#include "scenario/run/kind_stage.h"

namespace scenario {

CheckResult Run::evaluate(const ExpectationGroup& group, const Expectation& check) {
    CheckResult out;
    out.groupAtMs = group.atMs;
    out.groupOrigin = group.origin;
    out.check = check;
    out.checkedAtMs = elapsed();
    CheckStage stage{*this, options_.probe ? options_.probe() : ScriptView{}, tracker_.crewVehicle()};
    check.kind->evaluate(stage, check, out);
    return out;
}

void Run::evaluate(const ExpectationGroup& group) {
    for (const auto& check : group.checks) {
        CheckResult outcome = evaluate(group, check);
        say(NarrationKind::Check,
            std::string(outcome.passed ? "ok: " : "FAILED: ") + "expected " + outcome.expected +
                (outcome.passed ? "" : ", found " + outcome.actual) + " (" + describe(check.origin) + ")",
            !outcome.passed);
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

}  // namespace scenario

// Checking a scenario's expectations against the world, the calls and the script's own state.
#include <algorithm>

#include "scenario/run_state.h"

namespace scenario {
namespace {

std::string yesNo(bool value) { return value ? "true" : "false"; }

}  // namespace

CheckResult Run::evaluate(const ExpectationGroup& group, const Expectation& check) {
    CheckResult out;
    out.groupAtMs = group.atMs;
    out.groupOrigin = group.origin;
    out.check = check;
    out.checkedAtMs = elapsed();
    const ScriptView view = options_.probe ? options_.probe() : ScriptView{};
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
            const bool inside = entities().isSittingIn(entities().playerPed, crew);
            out.expected = "player_in_crew_vehicle " + yesNo(check.flag);
            out.actual = "player_in_crew_vehicle " + yesNo(inside);
            out.passed = inside == check.flag;
            break;
        }
        case Check::GunnerInCrewVehicle: {
            const bool inside = entities().isSittingIn(tracker_.gunner(), crew);
            out.expected = "gunner_in_crew_vehicle " + yesNo(check.flag);
            out.actual = "gunner_in_crew_vehicle " + yesNo(inside);
            out.passed = inside == check.flag;
            break;
        }
        case Check::PedDown:
        case Check::PedStanding: {
            const sim::SimEntity* ped = entities().find(resolve(check.text));
            const bool down = ped != nullptr && ped->isDown();
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

}  // namespace scenario

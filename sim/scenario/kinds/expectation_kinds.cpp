// The checks an `[[expect]]` table may hold: how each is read and how it is checked.
#include <cstdint>
#include <limits>

#include "scenario/kinds/kind_support.h"

namespace scenario {
namespace {

using parse::CheckInput;

constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();
// A shot range written without 'max'.
constexpr std::int64_t noMaximum = std::numeric_limits<std::int64_t>::max();

std::string yesNo(bool value) { return value ? "true" : "false"; }

// Fills expected, actual and passed of a check of a true/false fact.
void flagCheck(const Expectation& check, std::string_view key, bool actual, CheckResult& out) {
    out.expected = std::string(key) + " " + yesNo(check.flag);
    out.actual = std::string(key) + " " + yesNo(actual);
    out.passed = actual == check.flag;
}

void readFlag(const CheckInput& in, Expectation check) {
    check.flag = in.reader.boolean(in.node, in.field);
    in.add(check);
}

void readText(const CheckInput& in, Expectation check) {
    check.text = in.reader.string(in.node, in.field);
    in.add(check);
}

void readWantedLevel(const CheckInput& in, Expectation check) {
    check.number = in.reader.integer(in.node, in.field, 0, 6);
    in.add(check);
}

void wantedLevel(CheckStage& stage, const Expectation& check, CheckResult& out) {
    out.expected = "wanted level " + std::to_string(check.number);
    out.actual = "wanted level " + std::to_string(stage.entities().wantedLevel);
    out.passed = stage.entities().wantedLevel == check.number;
}

void readAttackMode(const CheckInput& in, Expectation check) {
    check.number = in.reader.integer(in.node, in.field, 0, 2);
    in.add(check);
}

void attackMode(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const std::int32_t mode = stage.view.attackMode.value_or(stage.tracker().attackMode());
    out.expected = "attack mode " + std::to_string(check.number);
    out.actual = "attack mode " + std::to_string(mode);
    out.passed = mode == check.number;
}

void status(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const std::string shown = stage.tracker().statusMessage();
    out.expected = check.text.empty() ? "no status message" : "status message \"" + check.text + "\"";
    out.actual = shown.empty() ? "no status message" : "status message \"" + shown + "\"";
    out.passed = shown == check.text;
}

void crewExists(CheckStage& stage, const Expectation& check, CheckResult& out) {
    flagCheck(check, "crew_exists", stage.view.crewExists.value_or(stage.tracker().crewHeld()), out);
}

void playerInCrewVehicle(CheckStage& stage, const Expectation& check, CheckResult& out) {
    flagCheck(check, "player_in_crew_vehicle", stage.entities().isSittingIn(stage.entities().playerPed, stage.crew),
              out);
}

void gunnerInCrewVehicle(CheckStage& stage, const Expectation& check, CheckResult& out) {
    flagCheck(check, "gunner_in_crew_vehicle", stage.entities().isSittingIn(stage.tracker().gunner(), stage.crew), out);
}

// A ped's name, or an array of them: one check each.
void readPeds(const CheckInput& in, Expectation check) {
    if (const auto* items = in.node.as_array()) {
        for (std::size_t i = 0; i < items->size(); ++i) {
            Expectation one = check;
            one.origin = in.reader.origin(*items->get(i));
            one.text = in.pedName(*items->get(i));
            in.add(one);
        }
        return;
    }
    check.text = in.pedName(in.node);
    in.add(check);
}

void pedState(CheckStage& stage, const Expectation& check, CheckResult& out, bool wantDown) {
    const sim::SimEntity* ped = stage.entities().find(stage.run.resolve(check.text));
    const bool down = ped != nullptr && ped->isDown();
    const std::string state = ped == nullptr ? "gone"
                              : down         ? "down"
                                             : "standing (health " + std::to_string(ped->health) + ")";
    out.expected = check.text + (wantDown ? " down" : " standing");
    out.actual = check.text + " " + state;
    out.passed = wantDown ? down : (ped != nullptr && !down);
}

void pedDown(CheckStage& stage, const Expectation& check, CheckResult& out) { pedState(stage, check, out, true); }

void pedStanding(CheckStage& stage, const Expectation& check, CheckResult& out) { pedState(stage, check, out, false); }

void readTarget(const CheckInput& in, Expectation check) {
    check.text = in.reader.string(in.node, in.field);
    if (check.text != "none" && !in.names.peds.contains(check.text))
        in.reader.fail(in.node, in.field, "unknown ped '" + check.text + "' (or \"none\")");
    in.add(check);
}

void target(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const sim::Handle target = stage.view.targetPed.value_or(stage.tracker().target());
    const sim::Handle wanted = check.text == "none" ? 0 : stage.run.resolve(check.text);
    out.expected = "target " + check.text;
    out.actual = "target " + (target == 0 ? std::string("none") : stage.tracker().nameOf(target));
    out.passed = target == wanted;
}

// Text that must not be empty: `why` says what to write.
void readNonEmpty(const CheckInput& in, Expectation& check, const std::string& why) {
    check.text = in.reader.string(in.node, in.field);
    if (check.text.empty()) in.reader.fail(in.node, in.field, why);
    in.add(check);
}

void gunnerModel(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const sim::SimEntity* gunner = stage.entities().findPed(stage.tracker().gunner());
    const sim::Model* model = gunner == nullptr ? nullptr : stage.entities().findModel(gunner->model);
    out.expected = "gunner_model " + check.text;
    out.actual = "gunner_model " + (gunner == nullptr  ? std::string("none (no gunner)")
                                    : model == nullptr ? std::string("unknown")
                                                       : model->name);
    out.passed = gunner != nullptr && gunner->model == sim::hashName(check.text);
}

void readShots(const CheckInput& in, Expectation check) {
    if (in.node.is_integer()) {
        check.min = check.max = in.reader.integer(in.node, in.field, 0, int32Max);
        return in.add(check);
    }
    const auto& range = in.reader.table(in.node, in.field);
    in.reader.onlyKeys(range, in.field, {"min", "max"}, "shots field");
    check.min = 0;
    check.max = noMaximum;
    if (const auto* min = range.get("min"))
        check.min = in.reader.integer(*min, parse::join(in.field, "min"), 0, int32Max);
    if (const auto* max = range.get("max"))
        check.max = in.reader.integer(*max, parse::join(in.field, "max"), 0, int32Max);
    if (range.empty()) in.reader.fail(in.node, in.field, "give 'min', 'max' or both");
    if (check.min > check.max) in.reader.fail(in.node, in.field, "'min' is above 'max'");
    in.add(check);
}

void shots(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const std::int64_t shots = stage.tracker().shotOrders();
    out.expected = check.min == check.max
                       ? std::to_string(check.min) + " shot orders"
                       : "shot orders in [" + std::to_string(check.min) + ", " +
                             (check.max == noMaximum ? std::string("...") : std::to_string(check.max)) + "]";
    out.actual = std::to_string(shots) + " shot orders";
    out.passed = shots >= check.min && shots <= check.max;
}

void logContains(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const bool found = stage.run.readLog().find(check.text) != std::string::npos;
    out.expected = "a log line holding \"" + check.text + "\"";
    out.actual = found ? out.expected : "no such line in the log";
    out.passed = found;
}

std::vector<CheckKind> ownChecks() {
    return {
        {"wanted_level", "`wanted_level = N`", "the player's wanted level in the game is N (0 to 6)", readWantedLevel,
         wantedLevel},
        {"attack_mode", "`attack_mode = N`", "the crew's attack mode is N (0 to 2)", readAttackMode, attackMode},
        {"status", "`status = \"text\"`", "the status message on screen in that frame is exactly this (`\"\"`: none)",
         readText, status},
        {"crew_exists", "`crew_exists = true`", "the script holds a crew vehicle and a gunner and both exist", readFlag,
         crewExists},
        {"player_in_crew_vehicle", "`player_in_crew_vehicle = true`", "the player sits in the crew vehicle", readFlag,
         playerInCrewVehicle},
        {"gunner_in_crew_vehicle", "`gunner_in_crew_vehicle = true`", "the gunner sits in the crew vehicle", readFlag,
         gunnerInCrewVehicle},
        {"ped_down", "`ped_down = \"name\"` (or an array)", "the ped exists and is dead", readPeds, pedDown},
        {"ped_standing", "`ped_standing = \"name\"` (or an array)", "the ped exists and lives", readPeds, pedStanding},
        {"target", "`target = \"name\"`", "the gunner's current target is that ped (`\"none\"`: no target)", readTarget,
         target},
        {"gunner_model", "`gunner_model = \"name\"`", "the gunner the script last created exists and is of that model",
         [](const CheckInput& in, Expectation check) { readNonEmpty(in, check, "empty model name"); }, gunnerModel},
        {"shots", "`shots = N` or `{ min = A, max = B }`", "the number of shot orders so far", readShots, shots},
        {"log_contains", "`log_contains = \"text\"`", "the script's `TobekGunner.log` holds the text somewhere so far",
         [](const CheckInput& in, Expectation check) { readNonEmpty(in, check, "give the text the log should hold"); },
         logContains},
    };
}

}  // namespace

void readCountRange(const CheckInput& in, Expectation check) { readShots(in, check); }

std::string countRangeText(const Expectation& check, const std::string& noun) {
    return check.min == check.max ? std::to_string(check.min) + " " + noun
                                  : noun + " in [" + std::to_string(check.min) + ", " +
                                        (check.max == noMaximum ? std::string("...") : std::to_string(check.max)) + "]";
}

const std::vector<CheckKind>& checkKinds() {
    static const std::vector<CheckKind> kinds = [] {
        std::vector<CheckKind> all = ownChecks();
        for (auto& kind : crewChecks()) all.push_back(std::move(kind));
        for (auto& kind : gameChecks()) all.push_back(std::move(kind));
        return all;
    }();
    return kinds;
}

}  // namespace scenario

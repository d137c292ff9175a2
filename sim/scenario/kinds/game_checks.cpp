// Checks of how the game played: the rounds its shoot tasks fired, vehicles created on the player,
// the game controls the player's keys worked, cutscenes.
#include "scenario/kinds/kind_support.h"

namespace scenario {
namespace {

using parse::CheckInput;

void readFlag(const CheckInput& in, Expectation check) {
    check.flag = in.reader.boolean(in.node, in.field);
    in.add(check);
}

void flagCheck(const Expectation& check, std::string_view key, bool actual, CheckResult& out) {
    out.expected = std::string(key) + (check.flag ? " true" : " false");
    out.actual = std::string(key) + (actual ? " true" : " false");
    out.passed = actual == check.flag;
}

void countCheck(const Expectation& check, const std::string& noun, std::int64_t actual, CheckResult& out) {
    out.expected = countRangeText(check, noun);
    out.actual = std::to_string(actual) + " " + noun;
    out.passed = actual >= check.min && actual <= check.max;
}

template <typename Counted>
std::int64_t countRounds(CheckStage& stage, Counted counted) {
    std::int64_t count = 0;
    for (const sim::ShotRecord& round : stage.entities().shots) count += counted(round) ? 1 : 0;
    return count;
}

void rounds(CheckStage& stage, const Expectation& check, CheckResult& out) {
    countCheck(check, "rounds fired", static_cast<std::int64_t>(stage.entities().shots.size()), out);
}

void roundsWithoutOrder(CheckStage& stage, const Expectation& check, CheckResult& out) {
    countCheck(check, "rounds without an order",
               countRounds(stage, [](const sim::ShotRecord& round) { return !round.ordered; }), out);
}

void roundsBehindCamera(CheckStage& stage, const Expectation& check, CheckResult& out) {
    countCheck(check, "rounds behind the camera",
               countRounds(stage, [](const sim::ShotRecord& round) { return round.behindCamera; }), out);
}

void vehicleOnPlayer(CheckStage& stage, const Expectation& check, CheckResult& out) {
    flagCheck(check, "vehicle_on_player", stage.entities().vehiclesCreatedOnPlayer > 0, out);
}

void helicopterPitched(CheckStage& stage, const Expectation& check, CheckResult& out) {
    flagCheck(check, "helicopter_pitched", stage.run.host().world().helicopterPitchFrames > 0, out);
}

void cutsceneActive(CheckStage& stage, const Expectation& check, CheckResult& out) {
    flagCheck(check, "cutscene_active", stage.run.host().world().cutscene.active, out);
}

}  // namespace

std::vector<CheckKind> gameChecks() {
    return {
        {"rounds", "`rounds = N` or `{ min = A, max = B }`",
         "the rounds the gunner's shoot tasks fired so far (the world's count; `shots` counts the script's orders)",
         readCountRange, rounds},
        {"rounds_without_order", "`rounds_without_order = N` or `{ min = A, max = B }`",
         "of those, the rounds a shoot task fired on its own after its order, before another task replaced it",
         readCountRange, roundsWithoutOrder},
        {"rounds_behind_camera", "`rounds_behind_camera = N` or `{ min = A, max = B }`",
         "the rounds fired at a point behind the way the gameplay camera looked", readCountRange, roundsBehindCamera},
        {"vehicle_on_player", "`vehicle_on_player = false`",
         "some vehicle was created with the player inside its model's box", readFlag, vehicleOnPlayer},
        {"helicopter_pitched", "`helicopter_pitched = false`",
         "a helicopter the player flew pitched because his keys reached the game's flying controls", readFlag,
         helicopterPitched},
        {"cutscene_active", "`cutscene_active = false`", "a cutscene is playing", readFlag, cutsceneActive},
    };
}

}  // namespace scenario

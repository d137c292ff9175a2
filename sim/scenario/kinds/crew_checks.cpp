// The checks a modder reaches for after changing the crew: the gunner's set-up (health, armour,
// weapon, ammunition, alive), hits a ped took, the order of the targets chosen and a ped down by
// a time.
#include <cstdint>
#include <limits>

#include "scenario/kinds/kind_support.h"

namespace scenario {
namespace {

using parse::CheckInput;

constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();

const sim::SimEntity* gunnerOf(CheckStage& stage) { return stage.entities().findPed(stage.tracker().gunner()); }

void readCount(const CheckInput& in, Expectation check) {
    check.number = in.reader.integer(in.node, in.field, 0, int32Max);
    in.add(check);
}

// A number of the gunner's, or "no gunner" when the script has none in the world.
void gunnerNumber(CheckStage& stage, const Expectation& check, CheckResult& out, const std::string& what,
                  std::int32_t sim::SimEntity::*field) {
    const sim::SimEntity* gunner = gunnerOf(stage);
    out.expected = "gunner " + what + " " + std::to_string(check.number);
    out.actual = gunner == nullptr ? std::string("no gunner") : "gunner " + what + " " + std::to_string(gunner->*field);
    out.passed = gunner != nullptr && gunner->*field == check.number;
}

void gunnerHealth(CheckStage& stage, const Expectation& check, CheckResult& out) {
    gunnerNumber(stage, check, out, "health", &sim::SimEntity::health);
}

void gunnerArmour(CheckStage& stage, const Expectation& check, CheckResult& out) {
    gunnerNumber(stage, check, out, "armour", &sim::SimEntity::armour);
}

void gunnerAmmo(CheckStage& stage, const Expectation& check, CheckResult& out) {
    gunnerNumber(stage, check, out, "ammunition", &sim::SimEntity::ammo);
}

void readWeapon(const CheckInput& in, Expectation check) {
    check.text = in.reader.string(in.node, in.field);
    if (check.text.empty()) in.reader.fail(in.node, in.field, "give the weapon's name, as \"WEAPON_MICROSMG\"");
    in.add(check);
}

// The game knows a weapon by the hash of its name, whatever the case it is written in.
void gunnerWeapon(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const sim::SimEntity* gunner = gunnerOf(stage);
    const sim::ModelHash wanted = sim::hashName(check.text);
    out.expected = "gunner weapon " + check.text;
    if (gunner == nullptr) {
        out.actual = "no gunner";
    } else if (gunner->weapon == 0) {
        out.actual = "gunner unarmed";
    } else {
        const std::string name = stage.tracker().hashedName(gunner->weapon);
        out.actual = "gunner weapon " + (gunner->weapon == wanted ? check.text : name);
    }
    out.passed = gunner != nullptr && gunner->weapon == wanted;
}

void readFlag(const CheckInput& in, Expectation check) {
    check.flag = in.reader.boolean(in.node, in.field);
    in.add(check);
}

void gunnerAlive(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const sim::SimEntity* gunner = gunnerOf(stage);
    const bool alive = gunner != nullptr && !gunner->isDown();
    out.expected = std::string("gunner_alive ") + (check.flag ? "true" : "false");
    out.actual = gunner == nullptr ? std::string("no gunner")
                                   : std::string("gunner_alive ") + (alive ? "true" : "false") + " (health " +
                                         std::to_string(gunner->health) + ")";
    out.passed = alive == check.flag;
}

// `{ ped = number, ... }`: one check per ped, in the order written.
void readPerPed(const CheckInput& in, Expectation check, std::int64_t max) {
    const auto& table = in.reader.table(in.node, in.field);
    if (table.empty()) in.reader.fail(in.node, in.field, "name at least one ped: { biker = 3 }");
    for (const auto& [key, value] : table) {
        const std::string name(key.str());
        const std::string field = parse::join(in.field, name);
        if (!in.names.peds.contains(name)) in.reader.fail(value, field, "unknown ped '" + name + "'");
        Expectation one = check;
        one.origin = in.reader.origin(value);
        one.text = name;
        one.number = in.reader.integer(value, field, 0, max);
        in.add(one);
    }
}

// Every shot that struck the ped, the gunner's and any other.
void hits(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const sim::Handle ped = stage.run.resolve(check.text);
    std::int64_t count = 0;
    for (const auto& shot : stage.entities().shots) count += shot.hit == ped && ped != 0 ? 1 : 0;
    const auto times = [](std::int64_t n) { return std::to_string(n) + (n == 1 ? " hit" : " hits"); };
    out.expected = check.text + " took " + times(check.number);
    out.actual = check.text + " took " + times(count);
    out.passed = count == check.number;
}

void readTargets(const CheckInput& in, Expectation check) {
    const auto& items = in.reader.array(in.node, in.field);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const toml::node& item = *items.get(i);
        check.names.push_back(in.pedName(item));
    }
    in.add(check);
}

std::string listText(const std::vector<std::string>& names) {
    std::string text = "[";
    for (const auto& name : names) text += (text.size() == 1 ? "" : ", ") + name;
    return text + "]";
}

// The targets chosen so far, in order, a target chosen again after another counting again.
void targets(CheckStage& stage, const Expectation& check, CheckResult& out) {
    std::vector<std::string> chosen;
    for (const sim::Handle target : stage.tracker().targets()) {
        if (target != 0) chosen.push_back(stage.tracker().nameOf(target));
    }
    out.expected = "targets " + listText(check.names);
    out.actual = "targets " + listText(chosen);
    out.passed = chosen == check.names;
}

void pedDownBy(CheckStage& stage, const Expectation& check, CheckResult& out) {
    const sim::Handle ped = stage.run.resolve(check.text);
    // A plain number, never-down as the largest: GCC's optional<> analysis warns falsely here.
    const std::uint64_t never = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t down = ped == 0 ? never : stage.tracker().downAt(ped).value_or(never);
    out.expected = check.text + " down by " + std::to_string(check.number) + " ms";
    out.actual = down != never ? check.text + " down at " + std::to_string(down) + " ms" : check.text + " not down";
    out.passed = down != never && down <= static_cast<std::uint64_t>(check.number);
}

}  // namespace

std::vector<CheckKind> crewChecks() {
    return {
        {"gunner_health", "`gunner_health = N`", "the gunner the script last created exists with health N", readCount,
         gunnerHealth},
        {"gunner_armour", "`gunner_armour = N`", "the gunner exists with armour N", readCount, gunnerArmour},
        {"gunner_weapon", "`gunner_weapon = \"WEAPON_MICROSMG\"`",
         "the gunner exists and was given that weapon (the name in any case)", readWeapon, gunnerWeapon},
        {"gunner_ammo", "`gunner_ammo = N`", "the gunner exists and was given N rounds with it", readCount, gunnerAmmo},
        {"gunner_alive", "`gunner_alive = true`", "the gunner exists and lives (`false`: dead or gone)", readFlag,
         gunnerAlive},
        {"hits", "`hits = { biker = 4 }` (one entry per ped)",
         "so many shots (the gunner's or anyone's) have struck the ped so far",
         [](const CheckInput& in, Expectation check) { readPerPed(in, check, int32Max); }, hits},
        {"targets", "`targets = [\"biker\", \"walker\"]`",
         "the gunner's targets so far were exactly these, in the order chosen (`[]`: none yet)", readTargets, targets},
        {"ped_down_by", "`ped_down_by = { biker = 12000 }` (one entry per ped)",
         "the ped was first seen down at or before that time (ms)",
         [](const CheckInput& in, Expectation check) {
             readPerPed(in, check, std::numeric_limits<std::uint32_t>::max());
         },
         pedDownBy},
    };
}

}  // namespace scenario

// The scenario parser: timeline entries and expectations.
#include <algorithm>
#include <array>
#include <limits>

#include "scenario/keys.h"
#include "scenario/parse_support.h"

namespace scenario::parse {
namespace {

// Every timeline event: its key in the entry and the extra fields it takes (empty slots unused).
// The table owns its strings' views by value: an initializer_list member would point at arrays
// that die with the initialiser.
struct EventKind {
    std::string_view key;
    std::array<std::string_view, 2> extras{};
};

const std::array eventKinds{
    EventKind{"press", {}},
    EventKind{"release", {}},
    EventKind{"tap", {"hold"}},
    EventKind{"enter_vehicle", {"seat"}},
    EventKind{"leave_vehicle", {}},
    EventKind{"move", {"to", "velocity"}},
    EventKind{"shoot", {"target", "damage"}},
    EventKind{"hide", {}},
    EventKind{"reveal", {}},
    EventKind{"vanish", {}},
    EventKind{"kill", {}},
    EventKind{"set_health", {"health"}},
    EventKind{"gunner", {}},
    EventKind{"crew_vehicle", {}},
    EventKind{"tank_health", {}},
    EventKind{"clear_wanted", {}},
    EventKind{"camera", {}},
    EventKind{"focus", {}},
};

std::string eventList() {
    std::string list;
    for (const auto& kind : eventKinds) list += (list.empty() ? "" : ", ") + std::string(kind.key);
    return list;
}

const EventKind* findKind(std::string_view key) {
    for (const auto& kind : eventKinds) {
        if (kind.key == key) return &kind;
    }
    return nullptr;
}

void readKeys(const Reader& reader, const toml::node& node, const std::string& field, TimelineEvent& event) {
    std::vector<std::string> names;
    if (node.is_string()) {
        names = splitCombination(reader.string(node, field));
    } else if (const auto* items = node.as_array()) {
        for (std::size_t i = 0; i < items->size(); ++i) names.push_back(reader.string(*items->get(i), field));
    } else {
        reader.fail(node, field, "expected a key name such as \"e\" or \"ctrl+i\", or an array of names");
    }
    if (names.empty()) reader.fail(node, field, "no key named");
    for (const auto& name : names) {
        const auto code = keyCode(name);
        if (!code) reader.fail(node, field, "unknown key '" + name + "' (known: " + keyNameExamples() + ")");
        event.keys.push_back(*code);
        event.keyText += (event.keyText.empty() ? "" : "+") + name;
    }
}

// A name that must refer to something the event can act on.
std::string reference(const Reader& reader, const toml::node& node, const std::string& field, const Names& names,
                      std::initializer_list<std::string_view> reserved, bool peds, bool vehicles) {
    const std::string name = reader.string(node, field);
    for (const auto allowed : reserved) {
        if (name == allowed) return name;
    }
    if (peds && names.peds.contains(name)) return name;
    if (vehicles && names.vehicles.contains(name)) return name;
    std::string expected;
    for (const auto allowed : reserved) expected += (expected.empty() ? "\"" : ", \"") + std::string(allowed) + "\"";
    if (peds) expected += std::string(expected.empty() ? "" : ", ") + "a ped of the world";
    if (vehicles) expected += std::string(expected.empty() ? "" : ", ") + "a vehicle of the world";
    reader.fail(node, field, "unknown name '" + name + "' (expected " + expected + ")");
}

void readEvent(const Reader& reader, const toml::table& entry, const std::string& field, const Names& names,
               TimelineEvent& event) {
    const auto* at = entry.get("at");
    if (at == nullptr) reader.fail(entry, join(field, "at"), "missing: when the event happens, in ms");
    event.atMs = reader.time(*at, join(field, "at"));

    const EventKind* kind = nullptr;
    const toml::node* value = nullptr;
    std::string key;
    for (auto&& [name, node] : entry) {
        if (name.str() == "at") continue;
        const EventKind* found = findKind(name.str());
        if (found == nullptr) continue;
        if (kind != nullptr) {
            reader.fail(reader.origin(name.source()), join(field, name.str()),
                        "one event per entry: found both '" + key + "' and '" + std::string(name.str()) + "'");
        }
        kind = found;
        value = &node;
        key = std::string(name.str());
    }
    if (kind == nullptr) {
        for (auto&& [name, node] : entry) {
            if (name.str() == "at") continue;
            reader.fail(reader.origin(name.source()), join(field, name.str()),
                        "unknown event '" + std::string(name.str()) + "' (known: " + eventList() + ")");
        }
        reader.fail(entry, field, "no event given (known: " + eventList() + ")");
    }
    for (auto&& [name, node] : entry) {
        if (name.str() == "at" || name.str() == key) continue;
        bool extra = false;
        for (const auto allowed : kind->extras) extra = extra || (!allowed.empty() && allowed == name.str());
        if (extra) continue;
        std::string list;
        for (const auto allowed : kind->extras) {
            if (!allowed.empty()) list += (list.empty() ? "" : ", ") + std::string(allowed);
        }
        reader.fail(reader.origin(name.source()), join(field, name.str()),
                    "unknown field '" + std::string(name.str()) + "' for a '" + key + "' event" +
                        (list.empty() ? std::string(" (it takes none)") : " (it takes: " + list + ")"));
    }

    const std::string valueField = join(field, key);
    auto extra = [&](std::string_view name) { return entry.get(name); };
    auto mustBeTrue = [&] {
        if (!reader.boolean(*value, valueField))
            reader.fail(*value, valueField, "write '" + key + " = true' or leave it out");
    };

    if (key == "press" || key == "release" || key == "tap") {
        event.action = key == "press" ? Action::Press : key == "release" ? Action::Release : Action::Tap;
        readKeys(reader, *value, valueField, event);
        if (const auto* hold = extra("hold")) event.holdMs = reader.time(*hold, join(field, "hold"));
    } else if (key == "enter_vehicle") {
        event.action = Action::EnterVehicle;
        event.subject = reference(reader, *value, valueField, names, {"crew"}, false, true);
        if (const auto* seat = extra("seat"))
            event.seat = static_cast<std::int32_t>(reader.integer(*seat, join(field, "seat"), -1, 15));
    } else if (key == "leave_vehicle") {
        event.action = Action::LeaveVehicle;
        mustBeTrue();
    } else if (key == "move") {
        event.action = Action::Move;
        event.subject = reference(reader, *value, valueField, names, {"player"}, true, true);
        if (const auto* to = extra("to")) event.point = reader.vec3(*to, join(field, "to"));
        if (const auto* velocity = extra("velocity")) event.velocity = reader.vec3(*velocity, join(field, "velocity"));
        if (!event.point && !event.velocity) reader.fail(entry, field, "a 'move' event needs 'to', 'velocity' or both");
    } else if (key == "shoot") {
        event.action = Action::Shoot;
        event.subject = reference(reader, *value, valueField, names, {}, true, false);
        const auto* target = extra("target");
        if (target == nullptr)
            reader.fail(entry, join(field, "target"), "missing: \"player\", \"gunner\", \"crew\" or a ped");
        event.object =
            reference(reader, *target, join(field, "target"), names, {"player", "gunner", "crew"}, true, false);
        event.amount = 10;
        if (const auto* damage = extra("damage"))
            event.amount = static_cast<std::int32_t>(reader.integer(*damage, join(field, "damage"), 0, 100000));
    } else if (key == "hide" || key == "reveal" || key == "vanish" || key == "kill") {
        event.action = key == "hide"     ? Action::Hide
                       : key == "reveal" ? Action::Reveal
                       : key == "vanish" ? Action::Vanish
                                         : Action::Kill;
        event.subject = key == "kill"
                            ? reference(reader, *value, valueField, names, {"gunner"}, true, false)
                            : reference(reader, *value, valueField, names, {}, true, event.action == Action::Vanish);
    } else if (key == "set_health") {
        event.action = Action::SetHealth;
        event.subject = reference(reader, *value, valueField, names, {"gunner", "player"}, true, false);
        const auto* health = extra("health");
        if (health == nullptr) reader.fail(entry, join(field, "health"), "missing: the new health");
        event.amount = static_cast<std::int32_t>(reader.integer(*health, join(field, "health"),
                                                                std::numeric_limits<std::int32_t>::min(),
                                                                std::numeric_limits<std::int32_t>::max()));
    } else if (key == "gunner") {
        const std::string what = reader.string(*value, valueField);
        if (what == "thrown_out")
            event.action = Action::ThrowOutGunner;
        else if (what == "killed")
            event.action = Action::Kill, event.subject = "gunner";
        else
            reader.fail(*value, valueField, "unknown gunner event '" + what + "' (known: thrown_out, killed)");
    } else if (key == "crew_vehicle") {
        const std::string what = reader.string(*value, valueField);
        if (what == "flipped")
            event.action = Action::FlipVehicle;
        else if (what == "upright")
            event.action = Action::RightVehicle;
        else if (what == "in_water")
            event.action = Action::IntoWater;
        else if (what == "out_of_water")
            event.action = Action::OutOfWater;
        else
            reader.fail(*value, valueField,
                        "unknown crew vehicle event '" + what + "' (known: flipped, upright, in_water, out_of_water)");
    } else if (key == "tank_health") {
        event.action = Action::TankHealth;
        event.value = reader.number(*value, valueField);
    } else if (key == "clear_wanted") {
        event.action = Action::ClearWanted;
        mustBeTrue();
    } else if (key == "camera") {
        event.action = Action::MoveCamera;
        event.point = reader.vec3(*value, valueField);
    } else if (key == "focus") {
        event.action = Action::Focus;
        event.flag = reader.boolean(*value, valueField);
    }
}

void readCheck(const Reader& reader, std::string_view key, const toml::node& node, const std::string& field,
               const Names& names, ExpectationGroup& group) {
    Expectation check;
    check.origin = reader.origin(node);
    auto pedName = [&](const toml::node& item) {
        const std::string name = reader.string(item, field);
        if (!names.peds.contains(name)) reader.fail(item, field, "unknown ped '" + name + "'");
        return name;
    };
    if (key == "wanted_level") {
        check.check = Check::WantedLevel;
        check.number = reader.integer(node, field, 0, 6);
    } else if (key == "attack_mode") {
        check.check = Check::AttackMode;
        check.number = reader.integer(node, field, 0, 2);
    } else if (key == "status") {
        check.check = Check::Status;
        check.text = reader.string(node, field);
    } else if (key == "crew_exists" || key == "player_in_crew_vehicle" || key == "gunner_in_crew_vehicle") {
        check.check = key == "crew_exists"              ? Check::CrewExists
                      : key == "player_in_crew_vehicle" ? Check::PlayerInCrewVehicle
                                                        : Check::GunnerInCrewVehicle;
        check.flag = reader.boolean(node, field);
    } else if (key == "ped_down" || key == "ped_standing") {
        check.check = key == "ped_down" ? Check::PedDown : Check::PedStanding;
        if (const auto* items = node.as_array()) {
            for (std::size_t i = 0; i < items->size(); ++i) {
                Expectation one = check;
                one.origin = reader.origin(*items->get(i));
                one.text = pedName(*items->get(i));
                group.checks.push_back(one);
            }
            return;
        }
        check.text = pedName(node);
    } else if (key == "target") {
        check.check = Check::Target;
        check.text = reader.string(node, field);
        if (check.text != "none" && !names.peds.contains(check.text)) {
            reader.fail(node, field, "unknown ped '" + check.text + "' (or \"none\")");
        }
    } else if (key == "log_contains") {
        check.check = Check::LogContains;
        check.text = reader.string(node, field);
        if (check.text.empty()) reader.fail(node, field, "give the text the log should hold");
    } else if (key == "gunner_model") {
        check.check = Check::GunnerModel;
        check.text = reader.string(node, field);
        if (check.text.empty()) reader.fail(node, field, "empty model name");
    } else if (key == "shots") {
        check.check = Check::ShotOrders;
        if (node.is_integer()) {
            check.min = check.max = reader.integer(node, field, 0, std::numeric_limits<std::int32_t>::max());
        } else {
            const auto& range = reader.table(node, field);
            reader.onlyKeys(range, field, {"min", "max"}, "shots field");
            check.min = 0;
            check.max = std::numeric_limits<std::int64_t>::max();
            if (const auto* min = range.get("min"))
                check.min = reader.integer(*min, join(field, "min"), 0, std::numeric_limits<std::int32_t>::max());
            if (const auto* max = range.get("max"))
                check.max = reader.integer(*max, join(field, "max"), 0, std::numeric_limits<std::int32_t>::max());
            if (range.empty()) reader.fail(node, field, "give 'min', 'max' or both");
            if (check.min > check.max) reader.fail(node, field, "'min' is above 'max'");
        }
    }
    group.checks.push_back(check);
}

}  // namespace

void readTimeline(const Reader& reader, const toml::node& node, const Names& names, Scenario& scenario) {
    const auto& entries = reader.array(node, "timeline");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string field = indexed("timeline", i);
        const auto& entry = reader.table(*entries.get(i), field);
        TimelineEvent event;
        event.origin = reader.origin(entry);
        readEvent(reader, entry, field, names, event);
        if (event.atMs > scenario.endMs) {
            reader.fail(*entry.get("at"), join(field, "at"),
                        "event at " + std::to_string(event.atMs) + " ms is after the end (" +
                            std::to_string(scenario.endMs) + " ms)");
        }
        scenario.timeline.push_back(std::move(event));
    }
}

void readExpectations(const Reader& reader, const toml::node& node, const Names& names, Scenario& scenario) {
    const auto& groups = reader.array(node, "expect");
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const std::string field = indexed("expect", i);
        const auto& entry = reader.table(*groups.get(i), field);
        reader.onlyKeys(
            entry, field,
            {"at", "wanted_level", "attack_mode", "status", "crew_exists", "player_in_crew_vehicle",
             "gunner_in_crew_vehicle", "ped_down", "ped_standing", "target", "gunner_model", "shots", "log_contains"},
            "expectation");
        ExpectationGroup group;
        group.origin = reader.origin(entry);
        for (auto&& [key, value] : entry) {
            if (key.str() == "at") {
                group.atMs = reader.time(value, join(field, "at"));
                if (*group.atMs > scenario.endMs) {
                    reader.fail(value, join(field, "at"),
                                "expectation at " + std::to_string(*group.atMs) + " ms is after the end (" +
                                    std::to_string(scenario.endMs) + " ms)");
                }
                continue;
            }
            readCheck(reader, key.str(), value, join(field, key.str()), names, group);
        }
        if (group.checks.empty()) reader.fail(entry, field, "an expectation needs at least one check");
        // Tables come back sorted by key; report the checks in the order they were written.
        std::stable_sort(group.checks.begin(), group.checks.end(), [](const Expectation& a, const Expectation& b) {
            return a.origin.line != b.origin.line ? a.origin.line < b.origin.line : a.origin.column < b.origin.column;
        });
        scenario.expectations.push_back(std::move(group));
    }
}

}  // namespace scenario::parse

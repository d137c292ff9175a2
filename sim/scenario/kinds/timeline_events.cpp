// Timeline events of the player's keys and of the player and the world's peds and vehicles.
#include "scenario/format/keys.h"
#include "scenario/kinds/kind_support.h"

namespace scenario {
namespace {

using parse::EventInput;

void readKeys(const EventInput& in, TimelineEvent& event) {
    const toml::node& node = in.value;
    const std::string field = in.valueField();
    std::vector<std::string> names;
    if (node.is_string()) {
        names = splitCombination(in.reader.string(node, field));
    } else if (const auto* items = node.as_array()) {
        for (std::size_t i = 0; i < items->size(); ++i) names.push_back(in.reader.string(*items->get(i), field));
    } else {
        in.reader.fail(node, field, "expected a key name such as \"e\" or \"ctrl+i\", or an array of names");
    }
    if (names.empty()) in.reader.fail(node, field, "no key named");
    for (const auto& name : names) {
        const auto code = keyCode(name);
        if (!code)
            in.reader.fail(node, field,
                           "unknown key '" + name + "'" + keyNameHint(name) + " (known: " + keyNameExamples() + ")");
        event.keys.push_back(*code);
        event.keyText += (event.keyText.empty() ? "" : "+") + name;
    }
}

void readTap(const EventInput& in, TimelineEvent& event) {
    readKeys(in, event);
    if (const auto* hold = in.extra("hold")) event.holdMs = in.reader.time(*hold, in.fieldOf("hold"));
}

void press(EventStage& stage) {
    for (const int key : stage.event.keys) stage.run.setKey(key, true);
    stage.say(NarrationKind::Input, "press " + stage.event.keyText);
}

void release(EventStage& stage) {
    for (const int key : stage.event.keys) stage.run.setKey(key, false);
    stage.say(NarrationKind::Input, "release " + stage.event.keyText);
}

void tap(EventStage& stage) {
    for (const int key : stage.event.keys) stage.run.setKey(key, true);
    stage.run.releaseLater(stage.event.holdMs, stage.event.keys);
    stage.say(NarrationKind::Input, "tap " + stage.event.keyText);
}

void readEnterVehicle(const EventInput& in, TimelineEvent& event) {
    event.subject = in.subject({"crew"}, false, true);
    if (const auto* seat = in.extra("seat"))
        event.seat = static_cast<std::int32_t>(in.reader.integer(*seat, in.fieldOf("seat"), -1, 15));
}

void enterVehicle(EventStage& stage) {
    const TimelineEvent& event = stage.event;
    if (stage.entity == nullptr || stage.entity->kind != sim::EntityKind::Vehicle)
        return stage.missing(event.subject == "crew" ? "no crew vehicle to enter"
                                                     : "no " + event.subject + " to enter");
    stage.entities().seatPed(stage.entities().playerPed, stage.subject, event.seat);
    stage.world("the player gets into " + stage.subjectText());
}

void leaveVehicle(EventStage& stage) {
    stage.entities().unseatPed(stage.entities().playerPed);
    stage.world("the player gets out of the vehicle");
}

void readMove(const EventInput& in, TimelineEvent& event) {
    event.subject = in.subject({"player"}, true, true);
    if (const auto* to = in.extra("to")) event.point = in.reader.vec3(*to, in.fieldOf("to"));
    if (const auto* velocity = in.extra("velocity")) event.velocity = in.reader.vec3(*velocity, in.fieldOf("velocity"));
    if (!event.point && !event.velocity)
        in.reader.fail(in.entry, in.field, "a 'move' event needs 'to', 'velocity' or both");
}

void move(EventStage& stage) {
    const TimelineEvent& event = stage.event;
    if (stage.entity == nullptr) return stage.missing(stage.subjectText() + " is not in the world");
    if (event.point) stage.entities().setPosition(stage.subject, *event.point);
    if (event.velocity) stage.entity->velocity = *event.velocity;
    stage.world(stage.subjectText() + (event.point ? " moves to " + pointText(*event.point) : std::string()) +
                (event.velocity ? " with velocity " + pointText(*event.velocity) : std::string()));
}

void readShoot(const EventInput& in, TimelineEvent& event) {
    event.subject = in.subject({}, true, false);
    const auto* target = in.extra("target");
    if (target == nullptr)
        in.reader.fail(in.entry, in.fieldOf("target"), "missing: \"player\", \"gunner\", \"crew\" or a ped");
    event.object = in.reference(*target, in.fieldOf("target"), {"player", "gunner", "crew"}, true, false);
    event.amount = 10;
    if (const auto* damage = in.extra("damage"))
        event.amount = static_cast<std::int32_t>(in.reader.integer(*damage, in.fieldOf("damage"), 0, 100000));
}

void shoot(EventStage& stage) {
    const TimelineEvent& event = stage.event;
    const sim::Handle victim = stage.run.resolve(event.object);
    if (stage.entity == nullptr) return stage.missing(event.subject + " is not in the world");
    if (!stage.entities().exists(victim)) return stage.missing("no " + event.object + " to shoot at");
    stage.entities().damage(victim, stage.subject, event.amount);
    const std::string victimText = event.object == "player" ? "the player" : EventStage::nameText(event.object);
    stage.world(event.subject + " shoots " + victimText + " (" + std::to_string(event.amount) + " damage)");
}

void readPed(const EventInput& in, TimelineEvent& event) { event.subject = in.subject({}, true, false); }

void readPedOrVehicle(const EventInput& in, TimelineEvent& event) { event.subject = in.subject({}, true, true); }

void setHidden(EventStage& stage, bool hidden) {
    if (stage.entity == nullptr) return stage.missing(stage.event.subject + " is not in the world");
    stage.entity->hiddenFromGunner = hidden;
    stage.world(stage.event.subject + (hidden ? " hides from the gunner's sight" : " comes into the gunner's sight"));
}

void hide(EventStage& stage) { setHidden(stage, true); }

void reveal(EventStage& stage) { setHidden(stage, false); }

void vanish(EventStage& stage) {
    if (stage.entity == nullptr) return stage.missing(stage.event.subject + " is not in the world");
    stage.entities().remove(stage.subject);
    stage.world(stage.event.subject + " vanishes");
}

}  // namespace

std::vector<EventKind> inputEvents() {
    return {
        {"press",
         {},
         {{"`press = \"ctrl+i\"`", "keys down (a `+` combination or an array of names)"}},
         readKeys,
         press},
        {"release", {}, {{"`release = \"ctrl+i\"`", "keys up"}}, readKeys, release},
        {"tap",
         {{"hold", "ms, default 100"}},
         {{"`tap = \"e\"`", "keys down now and up `hold` ms later"}},
         readTap,
         tap},
        {"enter_vehicle",
         {{"seat", "default -1, the driver"}},
         {{"`enter_vehicle = \"crew\"`", "the player sits in the crew vehicle or a named vehicle"}},
         readEnterVehicle,
         enterVehicle},
        {"leave_vehicle",
         {},
         {{"`leave_vehicle = true`", "the player gets out"}},
         [](const EventInput& in, TimelineEvent&) { in.mustBeTrue(); },
         leaveVehicle},
        {"move",
         {{"to", "`[x, y, z]`, the new place"}, {"velocity", "`[x, y, z]`, units per second"}},
         {{"`move = \"name\"`", "a ped, a vehicle or the player is placed and/or set moving"}},
         readMove,
         move},
        {"shoot",
         {{"target", "`player`, `gunner`, `crew` or a ped"}, {"damage", "default 10"}},
         {{"`shoot = \"ped\"`", "the ped damages the target, which remembers who hurt it"}},
         readShoot,
         shoot},
        {"hide", {}, {{"`hide = \"ped\"`", "the ped leaves the gunner's line of sight"}}, readPed, hide},
        {"reveal", {}, {{"`reveal = \"ped\"`", "the ped enters the gunner's line of sight again"}}, readPed, reveal},
        {"vanish",
         {},
         {{"`vanish = \"name\"`", "a ped or vehicle is removed from the world (a body cleared away)"}},
         readPedOrVehicle,
         vanish},
    };
}

}  // namespace scenario

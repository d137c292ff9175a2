// Timeline events of the crew, the gunner, the game's state and the game's window.
#include <algorithm>
#include <limits>

#include "scenario/kinds/kind_support.h"

namespace scenario {
namespace {

using parse::EventInput;

void readKill(const EventInput& in, TimelineEvent& event) { event.subject = in.subject({"gunner"}, true, false); }

void kill(EventStage& stage) {
    if (stage.entity == nullptr) return stage.missing(stage.subjectText() + " is not in the world");
    stage.entities().setHealth(*stage.entity, 0);
    stage.world(stage.subjectText() + " is killed");
}

void readSetHealth(const EventInput& in, TimelineEvent& event) {
    event.subject = in.subject({"gunner", "player"}, true, false);
    const auto* health = in.extra("health");
    if (health == nullptr) in.reader.fail(in.entry, in.fieldOf("health"), "missing: the new health");
    event.amount = static_cast<std::int32_t>(in.reader.integer(*health, in.fieldOf("health"),
                                                               std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}

void setHealth(EventStage& stage) {
    if (stage.entity == nullptr) return stage.missing(stage.subjectText() + " is not in the world");
    stage.entities().setHealth(*stage.entity, stage.event.amount);
    stage.world(stage.subjectText() + "'s health is set to " + std::to_string(stage.event.amount));
}

// The word of an event that takes one of `known`.
std::string readWord(const EventInput& in, std::string_view what, std::initializer_list<std::string_view> known) {
    const std::string word = in.reader.string(in.value, in.valueField());
    if (std::ranges::find(known, word) != known.end()) return word;
    in.reader.fail(in.value, in.valueField(),
                   "unknown " + std::string(what) + " event '" + word + "' (known: " + parse::commaList(known) + ")");
}

void readGunner(const EventInput& in, TimelineEvent& event) {
    event.word = readWord(in, "gunner", {"thrown_out", "killed"});
    if (event.word == "killed") event.subject = "gunner";
}

void gunner(EventStage& stage) {
    if (stage.event.word == "killed") return kill(stage);
    sim::SimEntity* gunner = stage.entities().find(stage.run.tracker().gunner());
    if (gunner == nullptr) return stage.missing("no gunner to throw out");
    stage.entities().unseatPed(gunner->handle);
    gunner->task = sim::Task{};
    stage.world("the gunner is thrown out of the vehicle");
}

void readCrewVehicle(const EventInput& in, TimelineEvent& event) {
    event.word = readWord(in, "crew vehicle", {"flipped", "upright", "in_water", "out_of_water"});
}

// The crew vehicle, or null after saying it is not there.
sim::SimEntity* crewVehicle(EventStage& stage) {
    sim::SimEntity* vehicle = stage.entities().find(stage.run.tracker().crewVehicle());
    if (vehicle == nullptr) stage.missing("no crew vehicle");
    return vehicle;
}

void crewVehicleEvent(EventStage& stage) {
    sim::SimEntity* vehicle = crewVehicle(stage);
    if (vehicle == nullptr) return;
    const std::string& word = stage.event.word;
    if (word == "flipped" || word == "upright") {
        vehicle->upsideDown = word == "flipped";
        stage.world(vehicle->upsideDown ? "the crew vehicle flips onto its roof"
                                        : "the crew vehicle is back on its wheels");
    } else {
        vehicle->inWater = word == "in_water";
        stage.world(vehicle->inWater ? "the crew vehicle ends up in water" : "the crew vehicle is back on land");
    }
}

void tankHealth(EventStage& stage) {
    sim::SimEntity* vehicle = crewVehicle(stage);
    if (vehicle == nullptr) return;
    vehicle->petrolTankHealth = stage.event.value;
    stage.world(format("the crew vehicle's petrol tank health drops to %.1f", stage.event.value));
}

void clearWanted(EventStage& stage) {
    stage.entities().forceWantedLevel(0);
    stage.world("the game clears the wanted level");
}

void readWanted(const EventInput& in, TimelineEvent& event) {
    event.amount = static_cast<std::int32_t>(in.reader.integer(in.value, in.valueField(), 0, 6));
}

// As the game does on a crime of the player's.
void wanted(EventStage& stage) {
    stage.entities().forceWantedLevel(stage.event.amount);
    stage.world("the game sets the wanted level to " + std::to_string(stage.event.amount));
}

void camera(EventStage& stage) {
    stage.entities().camera = *stage.event.point;
    stage.world("the camera moves to " + pointText(*stage.event.point));
}

void focus(EventStage& stage) {
    stage.run.host().setFocus(stage.event.flag);
    stage.say(NarrationKind::Input,
              stage.event.flag ? "the game's window has the focus again" : "another window takes the focus");
}

}  // namespace

std::vector<EventKind> worldEvents() {
    return {
        {"kill", {}, {{"`kill = \"ped\"`", "a ped (or `gunner`) dies in place"}}, readKill, kill},
        {"set_health",
         {{"health", "required"}},
         {{"`set_health = \"gunner\"`", "a ped's, the gunner's or the player's health is set"}},
         readSetHealth,
         setHealth},
        {"gunner",
         {},
         {{"`gunner = \"thrown_out\"`", "the gunner is pulled out of the crew vehicle"},
          {"`gunner = \"killed\"`", "the gunner dies in its seat"}},
         readGunner,
         gunner},
        {"crew_vehicle",
         {},
         {{"`crew_vehicle = \"flipped\"`", "on its roof (`\"upright\"` puts it back)"},
          {"`crew_vehicle = \"in_water\"`", "in water (`\"out_of_water\"` takes it out)"}},
         readCrewVehicle,
         crewVehicleEvent},
        {"tank_health",
         {},
         {{"`tank_health = -100.0`", "the crew vehicle's petrol tank health"}},
         [](const EventInput& in, TimelineEvent& event) { event.value = in.reader.number(in.value, in.valueField()); },
         tankHealth},
        {"clear_wanted",
         {},
         {{"`clear_wanted = true`", "the game drops the player's wanted level"}},
         [](const EventInput& in, TimelineEvent&) { in.mustBeTrue(); },
         clearWanted},
        {"wanted",
         {},
         {{"`wanted = 2`", "the game sets the player's wanted level (0 to 6), as after a crime of the player's"}},
         readWanted,
         wanted},
        {"camera",
         {},
         {{"`camera = [x, y, z]`", "the gameplay camera moves"}},
         [](const EventInput& in, TimelineEvent& event) { event.point = in.reader.vec3(in.value, in.valueField()); },
         camera},
        {"focus",
         {},
         {{"`focus = false`",
           "another program's window comes to the front: every key and button reads as up for "
           "the script (`focus = true`: the game's window is in front again)"}},
         [](const EventInput& in, TimelineEvent& event) { event.flag = in.reader.boolean(in.value, in.valueField()); },
         focus},
    };
}

}  // namespace scenario

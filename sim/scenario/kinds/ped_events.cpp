// Timeline events that bring a ped into the world while the run plays.
#include <limits>

#include "scenario/format/nearest_name.h"
#include "scenario/kinds/kind_support.h"
#include "world/entities.h"
#include "world/game_models.h"

namespace scenario {
namespace {

using parse::EventInput;

constexpr std::string_view defaultPedModel = "a_m_y_hipster_01";

std::string readPedName(const EventInput& in) {
    const std::string name = in.reader.string(in.value, in.valueField());
    if (name.empty()) in.reader.fail(in.value, in.valueField(), "empty name");
    if (name == "player" || name == "gunner" || name == "crew" || name == "none")
        in.reader.fail(in.value, in.valueField(), "'" + name + "' is reserved");
    if (in.names.peds.contains(name) || in.names.vehicles.contains(name))
        in.reader.fail(in.value, in.valueField(), "'" + name + "' is already a ped or vehicle of the world");
    return name;
}

// One of the game's own ped models: the timeline cannot declare add-on models.
std::string readPedModel(const EventInput& in) {
    const toml::node* node = in.extra("model");
    if (node == nullptr) return std::string(defaultPedModel);
    const std::string model = in.reader.string(*node, in.fieldOf("model"));
    const sim::GameModel* found = sim::findGameModel(sim::hashName(model));
    if (found != nullptr && found->kind == sim::ModelKind::Ped) return model;
    std::vector<std::string> peds;
    for (const auto& known : sim::gameModels())
        if (known.kind == sim::ModelKind::Ped) peds.emplace_back(known.name);
    in.reader.fail(*node, in.fieldOf("model"),
                   "'" + model + "' is not one of the game's ped models" + didYouMean(model, peds));
}

void readAddPed(const EventInput& in, TimelineEvent& event) {
    event.subject = readPedName(in);
    event.object = readPedModel(in);
    const toml::node* position = in.extra("position");
    if (position == nullptr) in.reader.fail(in.entry, in.fieldOf("position"), "missing: where the ped comes in");
    event.point = in.reader.vec3(*position, in.fieldOf("position"));
    if (const toml::node* heading = in.extra("heading"))
        event.value = in.reader.number(*heading, in.fieldOf("heading"));
    event.amount = 200;
    if (const toml::node* health = in.extra("health")) {
        event.amount = static_cast<std::int32_t>(
            in.reader.integer(*health, in.fieldOf("health"), 1, std::numeric_limits<std::int32_t>::max()));
    }
}

void addPed(EventStage& stage) {
    PedSetup ped;
    ped.name = stage.event.subject;
    ped.model = stage.event.object;
    ped.position = *stage.event.point;
    ped.heading = stage.event.value;
    ped.health = stage.event.amount;
    ped.origin = stage.event.origin;
    stage.run.placePed(ped);
    stage.world(ped.name + " (" + ped.model + ") comes into the world at " + pointText(ped.position));
}

}  // namespace

std::vector<EventKind> pedEvents() {
    return {
        {"add_ped",
         {{"position", "required, `[x, y, z]`"},
          {"model", "one of the game's ped models; default `a_m_y_hipster_01`"},
          {"heading", "degrees; default 0"},
          {"health", "default 200"}},
         {{"`add_ped = \"raider\"`",
           "a new ped of that name comes into the world; the entries and expectations after it may name it"}},
         readAddPed,
         addPed,
         true},
    };
}

}  // namespace scenario

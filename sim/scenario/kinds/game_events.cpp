// Timeline events of how the game itself plays: the gameplay camera's view and cutscenes.
#include <algorithm>

#include "scenario/kinds/kind_support.h"

namespace scenario {
namespace {

using parse::EventInput;

std::string readWord(const EventInput& in, std::string_view what, std::initializer_list<std::string_view> known) {
    const std::string word = in.reader.string(in.value, in.valueField());
    if (std::ranges::find(known, word) != known.end()) return word;
    in.reader.fail(in.value, in.valueField(),
                   "unknown " + std::string(what) + " '" + word + "' (known: " + parse::commaList(known) + ")");
}

// First person looks along `yaw` (degrees, the game's heading: 0 north, 90 west) and `pitch`
// (degrees up); without a yaw it looks the way the player's vehicle, or the player, faces.
void readCameraView(const EventInput& in, TimelineEvent& event) {
    event.word = readWord(in, "camera view", {"first_person", "third_person"});
    if (const auto* yaw = in.extra("yaw")) {
        event.point = sim::Vec3{0.0f, 0.0f, in.reader.number(*yaw, in.fieldOf("yaw"))};
    }
    if (const auto* pitch = in.extra("pitch")) event.value = in.reader.number(*pitch, in.fieldOf("pitch"));
    if (event.word == "third_person" && (event.point || event.value != 0.0f))
        in.reader.fail(in.entry, in.field, "'yaw' and 'pitch' belong to the first-person view");
}

float facingOfPlayer(sim::Entities& entities) {
    const sim::SimEntity& player = entities.player();
    if (const sim::SimEntity* vehicle = entities.findVehicle(player.vehicle); vehicle != nullptr && player.sitting)
        return vehicle->heading;
    return player.heading;
}

void cameraView(EventStage& stage) {
    sim::Entities& entities = stage.entities();
    if (stage.event.word == "third_person") {
        entities.cameraView = sim::CameraView::ThirdPerson;
        stage.world("the camera goes back to third person, at " + pointText(entities.camera));
        return;
    }
    entities.cameraView = sim::CameraView::FirstPerson;
    entities.firstPersonYaw = stage.event.point ? stage.event.point->z : facingOfPlayer(entities);
    entities.firstPersonPitch = stage.event.value;
    stage.world("the camera goes to first person at " + pointText(entities.cameraPosition()) +
                format(", looking along yaw %.1f, pitch %.1f", static_cast<double>(entities.firstPersonYaw),
                       static_cast<double>(entities.firstPersonPitch)));
}

void cutscene(EventStage& stage) {
    sim::World& world = stage.run.host().world();
    if (stage.event.word == "start") {
        world.startCutscene();
        stage.world("a cutscene begins");
    } else {
        world.endCutscene();
        stage.world("the cutscene ends");
    }
}

}  // namespace

std::vector<EventKind> gameEvents() {
    return {
        {"camera_view",
         {{"yaw", "degrees, the game's heading; default: the way the player's vehicle faces"},
          {"pitch", "degrees up, default 0"}},
         {{"`camera_view = \"first_person\"`", "the gameplay camera moves to the driver's head, looking along `yaw`"},
          {"`camera_view = \"third_person\"`", "back to the camera point, looking at the player"}},
         readCameraView,
         cameraView},
        {"cutscene",
         {},
         {{"`cutscene = \"start\"`", "a cutscene plays (`\"end\"` ends it; the game's skip key ends it early)"}},
         [](const EventInput& in, TimelineEvent& event) {
             event.word = readWord(in, "cutscene event", {"start", "end"});
         },
         cutscene},
    };
}

}  // namespace scenario

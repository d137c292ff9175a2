// The JSON of one view of a live session.
#include "play/view.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "scenario/report/screen_picture.h"

namespace play {
namespace {

using nlohmann::json;

json place(const sim::SimEntity& entity) {
    return json{{"x", entity.position.x}, {"y", entity.position.y}, {"heading", entity.heading}};
}

json pedsJson(const ViewInput& in) {
    json peds = json::array();
    for (const auto& [handle, entity] : in.host.world().entities.entities) {
        if (entity.kind != sim::EntityKind::Ped || handle == in.host.world().entities.playerPed) continue;
        if (handle == in.tracker.gunner()) continue;
        json ped = place(entity);
        ped["name"] = in.tracker.nameOf(handle);
        ped["down"] = entity.isDown();
        ped["police"] = entity.pedType == 6;
        ped["hidden"] = entity.hiddenFromGunner;
        ped["health"] = entity.health;
        peds.push_back(std::move(ped));
    }
    return peds;
}

json vehiclesJson(const ViewInput& in) {
    json vehicles = json::array();
    for (const auto& [handle, entity] : in.host.world().entities.entities) {
        if (entity.kind != sim::EntityKind::Vehicle) continue;
        json vehicle = place(entity);
        vehicle["name"] = in.tracker.nameOf(handle);
        vehicle["crew"] = handle == in.tracker.crewVehicle();
        vehicle["upsideDown"] = entity.upsideDown;
        vehicle["inWater"] = entity.inWater;
        vehicles.push_back(std::move(vehicle));
    }
    return vehicles;
}

// The shot orders of the last second, where they were aimed.
json recentShots(const ViewInput& in) {
    json shots = json::array();
    for (auto it = in.tracker.shots().rbegin(); it != in.tracker.shots().rend(); ++it) {
        if (it->ms + 1000 < in.moment.ms || shots.size() >= 64) break;
        shots.push_back(json{{"x", it->point.x}, {"y", it->point.y}, {"ms", it->ms}});
    }
    return shots;
}

std::string text(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

}  // namespace

std::string linesJson(const std::vector<scenario::NarrationLine>& lines, std::size_t from) {
    json out = json::array();
    std::size_t first = std::min(from, lines.size());
    if (lines.size() - first > maxLines) first = lines.size() - maxLines;
    for (std::size_t i = first; i < lines.size(); ++i) {
        out.push_back(json{{"index", i},
                           {"ms", lines[i].ms},
                           {"kind", std::string(scenario::kindName(lines[i].kind))},
                           {"text", lines[i].text}});
    }
    return text(out);
}

namespace {

json personJson(const ViewInput& in, sim::Handle handle) {
    const sim::SimEntity* entity = in.host.world().entities.find(handle);
    if (entity == nullptr) return nullptr;
    json person = place(*entity);
    person["down"] = entity->isDown();
    person["inVehicle"] = entity->sitting;
    return person;
}

}  // namespace

std::string viewJson(const ViewInput& in) {
    const sim::World& world = in.host.world();
    const Moment& moment = in.moment;
    json view{{"ms", moment.ms},
              {"frame", in.host.frame()},
              {"paused", in.paused},
              {"speed", in.speed},
              {"ended", in.ended},
              {"wanted", moment.wantedLevel},
              {"mode", moment.attackMode},
              {"crewExists", moment.crewExists},
              {"playerInCrewVehicle", moment.playerInCrewVehicle},
              {"shotOrders", moment.shotOrders},
              {"status", moment.status},
              {"focus", in.host.focused()},
              {"screen", scenario::screenPicture(world.screen.current, world.screen.width, world.screen.height)},
              {"player", personJson(in, world.entities.playerPed)},
              {"gunner", personJson(in, in.tracker.gunner())},
              {"peds", pedsJson(in)},
              {"vehicles", vehiclesJson(in)},
              {"shots", recentShots(in)}};
    const sim::Handle target = in.script.targetPed.value_or(in.tracker.target());
    if (const sim::SimEntity* aimed = world.entities.find(target)) view["target"] = place(*aimed);
    return text(view);
}

}  // namespace play

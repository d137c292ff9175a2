// The scenario file of a played session.
#include "play/recorder.h"

#include "play/entry_text.h"

namespace play {
namespace {

std::string vecText(const sim::Vec3& v) {
    return "[" + floatText(v.x) + ", " + floatText(v.y) + ", " + floatText(v.z) + "]";
}

std::string line(const std::string& key, const std::string& value) { return key + " = " + value + "\n"; }

std::string modelsText(const scenario::WorldSetup& world) {
    std::string text;
    if (!world.addonModels.empty()) {
        text += "addon_models = [";
        for (std::size_t i = 0; i < world.addonModels.size(); ++i) {
            const auto& addon = world.addonModels[i];
            text += std::string(i == 0 ? "" : ", ") + "{ name = " + quoted(addon.name) +
                    ", kind = " + (addon.isVehicle ? "\"vehicle\"" : "\"ped\"") + " }";
        }
        text += "]\n";
    }
    for (const auto& model : world.models) {
        if (text.find("[world.models]") == std::string::npos) text += "\n[world.models]\n";
        text += quoted(model.name) + " = { ";
        if (model.framesToLoad) text += "frames = " + std::to_string(*model.framesToLoad);
        if (model.inImage)
            text += std::string(model.framesToLoad ? ", " : "") + "in_image = " + (*model.inImage ? "true" : "false");
        text += " }\n";
    }
    return text;
}

std::string pedText(const scenario::PedSetup& ped) {
    return "\n[[world.peds]]\n" + line("name", quoted(ped.name)) + line("model", quoted(ped.model)) +
           line("position", vecText(ped.position)) + line("heading", floatText(ped.heading)) +
           line("velocity", vecText(ped.velocity)) + line("type", std::to_string(ped.pedType)) +
           line("health", std::to_string(ped.health));
}

std::string vehicleText(const scenario::VehicleSetup& vehicle) {
    return "\n[[world.vehicles]]\n" + line("name", quoted(vehicle.name)) + line("model", quoted(vehicle.model)) +
           line("position", vecText(vehicle.position)) + line("heading", floatText(vehicle.heading));
}

std::string pedChecks(const std::vector<PedState>& peds, bool down) {
    std::string names;
    for (const auto& ped : peds) {
        if (ped.exists && ped.down == down) names += (names.empty() ? "" : ", ") + quoted(ped.name);
    }
    return names.empty() ? std::string() : line(down ? "ped_down" : "ped_standing", "[" + names + "]");
}

}  // namespace

std::string worldText(const scenario::WorldSetup& world) {
    std::string text = "[world]\n";
    text += line("screen", "[" + std::to_string(world.screenWidth) + ", " + std::to_string(world.screenHeight) + "]");
    text += line("frame_ms", std::to_string(world.frameMs));
    text += line("start_tick", std::to_string(world.startTick));
    text += line("camera", vecText(world.camera));
    text += line("player", "{ position = " + vecText(world.playerPosition) +
                               ", heading = " + floatText(world.playerHeading) + " }");
    text += modelsText(world);
    for (const auto& ped : world.peds) text += pedText(ped);
    for (const auto& vehicle : world.vehicles) text += vehicleText(vehicle);
    return text;
}

std::string expectationText(const Moment& moment, bool atEnd) {
    std::string text = atEnd ? "\n[[expect]]                          # at the end of the session\n"
                             : "\n[[expect]]                          # asked for during play\n" +
                                   line("at", std::to_string(moment.ms));
    text += line("crew_exists", moment.crewExists ? "true" : "false");
    text += line("player_in_crew_vehicle", moment.playerInCrewVehicle ? "true" : "false");
    text += line("attack_mode", std::to_string(moment.attackMode));
    text += line("wanted_level", std::to_string(moment.wantedLevel));
    text += line("shots", std::to_string(moment.shotOrders));
    if (!atEnd) text += line("status", quoted(moment.status));
    return text + pedChecks(moment.peds, true) + pedChecks(moment.peds, false);
}

std::int64_t entryLine(const Recording& recording, std::size_t index) {
    // The comment, name, end, the blank line and `timeline = [`, then the optional lines.
    const std::int64_t header = 5 + (recording.description.empty() ? 0 : 1) + (recording.settingsText ? 1 : 0);
    return header + 1 + static_cast<std::int64_t>(index);
}

std::string scenarioText(const Recording& recording, const Moment& end) {
    std::string text = "# Recorded with gunner-sim --play: every input and world event at the time it was played.\n";
    text += line("name", quoted(recording.name));
    if (!recording.description.empty()) text += line("description", quoted(recording.description));
    // The run's last frame is the one the session ended on.
    text += line("end", std::to_string(end.ms == 0 ? 1 : end.ms));
    if (recording.settingsText) text += line("settings_file", quoted(recording.settingsFile));
    text += "\ntimeline = [\n";
    for (const auto& entry : recording.entries) text += "  " + entry + ",\n";
    text += "]\n\n" + worldText(recording.world);
    for (const auto& expectation : recording.expectations) text += expectation;
    return text + expectationText(end, true);
}

}  // namespace play

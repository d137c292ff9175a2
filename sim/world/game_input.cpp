// What the game does with the keys the player holds, after the scripts had their say in a frame.
#include "world/game_controls.h"
#include "world/game_vehicles.h"
#include "world/world.h"

namespace sim {

void World::endFrame(const std::array<bool, 256>& keys, bool focused, std::uint32_t elapsedMs) {
    controls.workedThisFrame.clear();
    if (focused) {
        std::array<bool, Controls::capacity> worked{};
        bool any = false;
        for (std::size_t key = 0; key < keys.size(); ++key) {
            if (!keys[key]) continue;
            for (const std::int32_t control : controlsOfKey(static_cast<int>(key))) {
                const auto at = static_cast<std::size_t>(control);
                if (at >= Controls::capacity || controls.disabled[at]) continue;
                worked[at] = true;
                any = true;
            }
        }
        for (std::size_t at = 0; any && at < Controls::capacity; ++at) {
            if (worked[at]) workControl(static_cast<std::int32_t>(at), elapsedMs);
        }
    }
    entities.fireLastingTasks();
    controls.disabled.fill(false);
}

void World::workControl(std::int32_t control, std::uint32_t elapsedMs) {
    ++controls.framesWorked[static_cast<std::size_t>(control)];
    controls.workedThisFrame.push_back(control);
    const float seconds = static_cast<float>(elapsedMs) / 1000.0f;
    if (control == flyPitchUpControl) pitchPlayerHelicopter(pitchPerSecond * seconds);
    if (control == flyPitchDownControl) pitchPlayerHelicopter(-pitchPerSecond * seconds);
    if (control == skipCutsceneControl && cutscene.active) {
        ++cutscene.skipped;
        endCutscene();
    }
}

// Only the helicopter the player sits in as its pilot answers the flying controls.
void World::pitchPlayerHelicopter(float degrees) {
    const SimEntity& player = entities.player();
    if (!player.sitting || player.seat != -1) return;
    SimEntity* vehicle = entities.findVehicle(player.vehicle);
    if (vehicle == nullptr) return;
    const GameVehicle* model = findGameVehicle(vehicle->model);
    if (model == nullptr || model->type != "HELI") return;
    vehicle->pitch += degrees;
    ++helicopterPitchFrames;
}

void World::startCutscene() {
    if (cutscene.active) return;
    cutscene.active = true;
    ++cutscene.started;
}

void World::endCutscene() { cutscene.active = false; }

}  // namespace sim

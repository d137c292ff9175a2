// Natives about how the game plays: the camera's rotation, the vehicle models' boxes, the
// controls a script disables for a frame, and cutscenes.
#include "natives/handlers.h"
#include "world/game_vehicles.h"

#include <cstdint>

namespace sim {
namespace {

// Only the rotation order the script asks for (2, the game's usual) is modelled; others answer the same.
void getGameplayCamRot(NativeContext& call) { call.returnVector(call.world.entities.cameraRotation()); }

// The game writes each Vector3 as three floats in 8-byte slots; an unknown model leaves zeros.
void writeVector(std::uint64_t* slots, const Vec3& v) {
    if (slots == nullptr) return;
    const Vec3 parts = v;
    const float values[3] = {parts.x, parts.y, parts.z};
    for (int i = 0; i < 3; ++i) slots[i] = slotFromFloat(values[i]);
}

void getModelDimensions(NativeContext& call) {
    const GameVehicle* model = findGameVehicle(call.hashArg(0));
    writeVector(call.pointerArg<std::uint64_t>(1), model != nullptr ? model->minimum : Vec3{});
    writeVector(call.pointerArg<std::uint64_t>(2), model != nullptr ? model->maximum : Vec3{});
}

// Pad 0 is the player's; the third argument (related actions) changes nothing the world models.
void disableControlAction(NativeContext& call) {
    if (call.intArg(0) == 0) call.world.controls.disable(call.intArg(1));
}

void isCutsceneActive(NativeContext& call) { call.returnBool(call.world.cutscene.active); }

}  // namespace

void registerGameHandlers(SimHost& host) {
    host.setHandler(NativeId::GetGameplayCamRot, getGameplayCamRot);
    host.setHandler(NativeId::GetModelDimensions, getModelDimensions);
    host.setHandler(NativeId::DisableControlAction, disableControlAction);
    host.setHandler(NativeId::IsCutsceneActive, isCutsceneActive);
}

}  // namespace sim

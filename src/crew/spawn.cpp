// Crew spawning: dismiss the old crew, create the chosen vehicle ahead of the player and the
// gunner in its gun seat, set the gunner up and report the outcome.
#include "crew/spawn.h"

#include "runtime/natives.h"
#include "runtime/platform_calls.h"
#include "runtime/script_log.h"
#include "runtime/state.h"
#include "ui/status_text.h"
#include "ui/vocabulary.h"

#include <cstdint>
#include <iterator>
#include <string>

namespace {

// Indexed like the menu's vehicles.
struct VehicleChoice {
    MenuVehicle names;
    std::int32_t gunnerSeat;
    float scanAhead;
    bool valkyrie;
};

constexpr VehicleChoice vehicleChoices[] = {
    {menuVehicles[0], 1, 0.0f, false},
    {menuVehicles[1], 7, 0.0f, false},
    {menuVehicles[2], 2, 7.0f, true},
};
static_assert(std::size(vehicleChoices) == menuVehicles.size(), "one choice per vehicle in the menu");

// The gunner's model is the one the settings name, by default an add-on a player may have
// installed; without it a ped model that ships with the game takes his place.
constexpr const char* stockGunnerModelName = "s_m_y_blackops_01";
constexpr Hash stockGunnerModel = 0xB3F3EE34;
constexpr const char* gunnerWeaponName = "WEAPON_MICROSMG";
constexpr std::int32_t gunnerPedType = 0;
constexpr std::int32_t gunnerHealth = 300;
constexpr std::int32_t gunnerArmour = 100;
constexpr std::int32_t gunnerAmmo = 1000;
constexpr float spawnAhead = 5.0f;
constexpr float spawnHeading = 0.0f;
constexpr std::uint32_t dismissPauseMs = 50;
constexpr std::uint32_t placePauseMs = 25;
constexpr std::uint32_t messageMs = 3000;
// A model that has not streamed in after this long never will; the spawn gives up on it.
constexpr Tick modelLoadLimitMs = 10000;

void moveToOrigin(Entity entity) { setEntityCoords(entity, 0.0f, 0.0f, 0.0f, true, false, false, true); }

void dismissGunner() {
    if (!doesEntityExist(state.gunnerPed)) return;
    clearPedTasksImmediately(state.gunnerPed);
    waitForGame(dismissPauseMs);
    moveToOrigin(state.gunnerPed);
    setPedAsNoLongerNeeded(&state.gunnerPed);
}

// The player's ped is only touched when it is using the old crew vehicle.
void dismissVehicle() {
    if (!doesEntityExist(state.crewVehicle)) return;
    if (state.crewVehicle == state.playerVehicle) {
        clearPedTasksImmediately(state.playerPed);
        waitForGame(dismissPauseMs);
    }
    moveToOrigin(state.crewVehicle);
    setVehicleAsNoLongerNeeded(&state.crewVehicle);
}

// Requests the model once and waits frame by frame; past the limit the request is released.
bool loadModel(Hash model) {
    requestModel(model);
    const Tick start = readTickCount();
    while (!hasModelLoaded(model)) {
        if (readTickCount() - start > modelLoadLimitMs) {
            setModelAsNoLongerNeeded(model);
            return false;
        }
        waitForGame(0);
    }
    return true;
}

constexpr float playerClearance = 1.0f;

// Whether `offset` (the player from the spot) lies within the box grown by the clearance.
bool withinGrownBox(const Vector3& offset, const Vector3& minimum, const Vector3& maximum) {
    const auto within = [](float value, float low, float high) {
        return value > low - playerClearance && value < high + playerClearance;
    };
    return within(offset.x, minimum.x, maximum.x) && within(offset.y, minimum.y, maximum.y) &&
           within(offset.z, minimum.z, maximum.z);
}

// Along one axis of the vehicle's heading-0 frame: how far ahead the spot must be for the player
// to reach the grown box's face, or a negative value when moving ahead never gets him there.
float clearingDistance(float forward, float minimum, float maximum) {
    if (forward > 0.0f) return (playerClearance - minimum) / forward;
    if (forward < 0.0f) return (maximum + playerClearance) / -forward;
    return -1.0f;
}

// The vehicle is created at heading 0 on the spot 5 units ahead of the player; a long one (the
// Valkyrie) would hold him there. Moves the spot on along his forward line until he clears the
// box grown by 1.0; a vehicle that clears him already keeps the spot exactly.
Vector3 spotClearOfPlayer(Hash model, const Vector3& spot) {
    Vector3 minimum;
    Vector3 maximum;
    getModelDimensions(model, &minimum, &maximum);
    const Vector3 player = getEntityCoords(playerPedId(), true);
    const Vector3 offset = makeVector3(player.x - spot.x, player.y - spot.y, player.z - spot.z);
    if (!withinGrownBox(offset, minimum, maximum)) return spot;

    const float forwardX = -offset.x / spawnAhead;
    const float forwardY = -offset.y / spawnAhead;
    const float alongX = clearingDistance(forwardX, minimum.x, maximum.x);
    const float alongY = clearingDistance(forwardY, minimum.y, maximum.y);
    float distance = alongX;
    if (distance < 0.0f || (alongY >= 0.0f && alongY < distance)) distance = alongY;
    if (!(distance > spawnAhead)) return spot;
    return getOffsetFromEntityInWorldCoords(playerPedId(), 0.0f, distance, 0.0f);
}

// Each step returns why the spawn failed, for the log, or null when it did its part.
const char* createCrewVehicle(const char* modelName) {
    const Hash model = getHashKey(modelName);
    if (!isModelInCdimage(model) || !isModelAVehicle(model)) return "vehicle model missing";
    if (!loadModel(model)) return "vehicle model wait timed out";

    const Vector3 spot =
        spotClearOfPlayer(model, getOffsetFromEntityInWorldCoords(playerPedId(), 0.0f, spawnAhead, 0.0f));
    state.crewVehicle = createVehicle(model, spot.x, spot.y, spot.z, spawnHeading, true, true);
    setVehicleOnGroundProperly(state.crewVehicle);
    waitForGame(placePauseMs);
    setModelAsNoLongerNeeded(model);
    return nullptr;
}

// Leaves in `modelName` the model the gunner was created from (or tried last).
const char* createGunner(const char*& modelName) {
    if (!doesEntityExist(state.crewVehicle)) return "vehicle not created";
    Hash model = getHashKey(modelName);
    if (!isModelInCdimage(model)) {
        modelName = stockGunnerModelName;
        model = stockGunnerModel;
        if (!isModelInCdimage(model)) return "gunner not created: neither model is in the game";
    }
    if (!loadModel(model)) return "gunner model wait timed out";

    state.gunnerPed = createPedInsideVehicle(state.crewVehicle, gunnerPedType, model, state.gunnerSeat, true, true);
    setModelAsNoLongerNeeded(model);
    waitForGame(placePauseMs);
    return nullptr;
}

void setUpGunner() {
    const std::int32_t group = getPlayerGroup(state.playerId);
    setPedAsGroupMember(state.gunnerPed, group);
    setPedNeverLeavesGroup(state.gunnerPed, true);
    setPedGroupMemberPassengerIndex(state.gunnerPed, passengerSetting);
    setEntityMaxHealth(state.gunnerPed, gunnerHealth);
    setEntityHealth(state.gunnerPed, gunnerHealth);
    setPedArmour(state.gunnerPed, gunnerArmour);
    const Hash weapon = getHashKey(gunnerWeaponName);
    giveDelayedWeaponToPed(state.gunnerPed, weapon, gunnerAmmo, false);
    setPedKeepTask(state.gunnerPed, true);
}

void reportOutcome(const VehicleChoice& choice, const char* gunnerModel, const char* failure) {
    if (doesEntityExist(state.crewVehicle) && doesEntityExist(state.gunnerPed)) {
        logLine("spawned the %s with gunner model %s", choice.names.caption, gunnerModel);
        setUpGunner();
        showStatusTextAndWait(std::string(choice.names.caption) + vehicleCreatedSuffix, messageMs);
        return;
    }
    logLine("spawning the %s (gunner model %s) failed: %s", choice.names.caption, gunnerModel,
            failure != nullptr ? failure : "gunner not created");
    showStatusTextAndWait(spawnFailedMessage, messageMs);
}

}  // namespace

void spawnCrew() {
    state.scanOffset = makeVector3(0.0f, 0.0f, 0.0f);
    state.vehicleIsValkyrie = false;
    if (state.menuSelection < 0 || state.menuSelection > 2) return;

    const VehicleChoice& choice = vehicleChoices[state.menuSelection];
    state.gunnerSeat = choice.gunnerSeat;
    state.scanOffset.y = choice.scanAhead;
    state.vehicleIsValkyrie = choice.valkyrie;
    state.attackMode = state.vehicleIsValkyrie ? 1 : 0;
    state.shotInForce = false;

    dismissGunner();
    dismissVehicle();
    state.crewVehicle = 0;
    state.gunnerPed = 0;

    const char* gunnerModel = state.settings.gunnerModel.c_str();
    const char* vehicleFailure = createCrewVehicle(choice.names.modelName);
    const char* gunnerFailure = createGunner(gunnerModel);
    reportOutcome(choice, gunnerModel, vehicleFailure != nullptr ? vehicleFailure : gunnerFailure);
}

// The script's one state record: every field the script keeps between frames.
#pragma once

#include "runtime/game_controls.h"
#include "runtime/script_log.h"
#include "runtime/settings.h"
#include "runtime/types.h"

#include <cstdint>
#include <string>

// Capacity the nearby-peds query is given, and the buffer's size in 32-bit words: a header of
// two words, then one 64-bit slot (two words) per ped.
inline constexpr std::int32_t nearbyPedsCapacity = 50;
inline constexpr std::int32_t nearbyPedsWords = 102;

struct ScriptState {
    // The handle the host loaded the library under (an HMODULE): it locates the files beside it.
    void* scriptModule = nullptr;
    Settings settings;
    LogState log;

    Tick frameTick = 0;
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;

    std::string statusText;
    Tick statusShownAt = 0;
    std::uint32_t statusDuration = 0;

    // The game controls that share a key with the menu's, held back while it is open.
    ControlSet menuControls;
    bool menuOpen = false;
    std::int32_t menuSelection = 0;
    Tick menuKeyTick = 0;

    Player playerId = 0;
    Ped playerPed = 0;
    Vehicle playerVehicle = 0;
    Vehicle crewVehicle = 0;
    Ped gunnerPed = 0;
    std::int32_t gunnerSeat = -1;
    bool vehicleIsValkyrie = false;
    std::int32_t attackMode = 0;
    Vector3 scanOffset;

    Tick supervisorTick = 0;
    bool rightMouseHeld = false;
    bool reentryArmed = true;
    bool reentryOrdered = false;
    Tick aimTick = 0;
    Tick aimTaskTick = 0;
    Tick shotTick = 0;
    Tick scanTick = 0;
    Ped targetPed = 0;
    Vector3 aimPoint;
    // The game keeps a shoot task going until another task replaces it: set by every shot order,
    // cleared by the aim-only order that stops the fire, at the point last fired at.
    bool shotInForce = false;
    Vector3 lastShotPoint;
    float aimSpread = 0.0f;

    std::int32_t wantedLevel = 0;
    float wantedProgress = 1.0f;

    // Allocated once when the library loads, never cleared, never freed.
    std::int32_t* nearbyPeds = nullptr;
};

// The single instance, touched only from the script fiber.
extern ScriptState state;

// Puts every field back to its load-time value, keeping the nearby-peds buffer and closing the log. A real host
// loads the library once; the simulated host calls this to start each run afresh.
void resetScriptState();

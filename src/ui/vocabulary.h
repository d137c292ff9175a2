// Every word and colour the script puts on screen, kept here alone: the simulator's narration and
// tools read the same constants, so a caption changed here changes everywhere at once.
#pragma once

#include <array>
#include <cstdint>

// A vehicle the menu offers: its caption there (and in "<caption> vehicle created."), and the
// game model the spawn asks for.
struct MenuVehicle {
    const char* caption;
    const char* modelName;
};

struct Colour {
    std::int32_t r;
    std::int32_t g;
    std::int32_t b;
};

inline constexpr const char* menuTitle = "Tobek gunner - Select a vehicle";
// In menu order; the line after them closes the menu.
inline constexpr std::array<MenuVehicle, 3> menuVehicles = {{
    {"Technical", "TECHNICAL"},
    {"Insurgent", "INSURGENT"},
    {"Valkyrie", "VALKYRIE"},
}};
inline constexpr const char* closeMenuCaption = "Close menu";

// The spawn's outcome on the status line: the vehicle's caption followed by this, or the failure.
inline constexpr const char* vehicleCreatedSuffix = " vehicle created.";
inline constexpr const char* spawnFailedMessage = "Failed creating vehicle.";

// Indexed by attack mode.
inline constexpr std::array<const char*, 3> attackModeMessages = {
    "Attack mode: Player shooting and driving.",
    "Attack mode: Tobek attack enemies.",
    "Attack mode: Tobek gone crazy.",
};

// Menu lines are white over a grey-green box; the highlighted line, and the status message, are
// light blue over a near-black box; the title's box is black.
inline constexpr Colour lineTextColour = {255, 255, 255};
inline constexpr Colour lineBoxColour = {70, 95, 95};
inline constexpr Colour activeTextColour = {98, 190, 255};
inline constexpr Colour activeBoxColour = {15, 15, 15};
inline constexpr Colour titleBoxColour = {0, 0, 0};
inline constexpr std::int32_t textAlpha = 255;
inline constexpr std::int32_t boxAlpha = 150;
// Every caption is drawn with a dark drop shadow and a slightly translucent dark edge.
inline constexpr Colour textOutlineColour = {10, 10, 10};
inline constexpr std::int32_t dropShadowAlpha = 255;
inline constexpr std::int32_t edgeAlpha = 205;

// The game's vehicle models with their bounding boxes: the bundled copy of the game's vehicle table.
#pragma once

#include "world/vec3.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

struct GameVehicle {
    std::string_view name;  // as the table writes it
    std::uint32_t hash = 0;
    std::string_view type;  // CAR, HELI, BOAT, ...
    std::int32_t seats = 0;
    Vec3 minimum;  // the box in the model's own frame: x right, y forward, z up
    Vec3 maximum;
};

// The bytes of data/game-vehicles.tsv, built into the program (generated source).
extern const std::string_view gameVehiclesText;

// Rows "name hash type seats min_x min_y min_z max_x max_y max_z weapons", tab separated; '#'
// comment lines skipped. Throws std::runtime_error naming the line of a malformed row.
std::vector<GameVehicle> parseGameVehicles(std::string_view text);

// The bundled table, sorted by hash, parsed on first use.
const std::vector<GameVehicle>& gameVehicles();
// The vehicle model with this hash, or null when the game has none.
const GameVehicle* findGameVehicle(std::uint32_t hash);

}  // namespace sim

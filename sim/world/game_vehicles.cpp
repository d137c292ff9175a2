// Reading the bundled table of the game's vehicle models.
#include "world/game_vehicles.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "world/game_table.h"

namespace sim {
namespace {

using gameTable::nextField;
using gameTable::readHash;
using gameTable::readNumber;

bool readVec3(std::string_view& line, Vec3& v) {
    return readNumber(nextField(line), v.x) && readNumber(nextField(line), v.y) && readNumber(nextField(line), v.z);
}

GameVehicle parseRow(std::string_view line, std::size_t lineNumber) {
    GameVehicle vehicle;
    vehicle.name = nextField(line);
    const bool hash = readHash(nextField(line), vehicle.hash);
    vehicle.type = nextField(line);
    const bool seats = readNumber(nextField(line), vehicle.seats);
    const bool box = readVec3(line, vehicle.minimum) && readVec3(line, vehicle.maximum);
    if (vehicle.name.empty() || !hash || vehicle.type.empty() || !seats || !box || line.empty()) {
        throw std::runtime_error("game vehicle table line " + std::to_string(lineNumber) +
                                 ": expected name, 0x hash, type, seats, six box numbers and weapons");
    }
    return vehicle;
}

}  // namespace

std::vector<GameVehicle> parseGameVehicles(std::string_view text) {
    return gameTable::readRows<GameVehicle>(text, parseRow);
}

const std::vector<GameVehicle>& gameVehicles() {
    static const std::vector<GameVehicle> vehicles = [] {
        std::vector<GameVehicle> sorted = parseGameVehicles(gameVehiclesText);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const GameVehicle& a, const GameVehicle& b) { return a.hash < b.hash; });
        return sorted;
    }();
    return vehicles;
}

const GameVehicle* findGameVehicle(std::uint32_t hash) {
    const auto& vehicles = gameVehicles();
    const auto found = std::lower_bound(vehicles.begin(), vehicles.end(), hash,
                                        [](const GameVehicle& v, std::uint32_t wanted) { return v.hash < wanted; });
    return found != vehicles.end() && found->hash == hash ? &*found : nullptr;
}

}  // namespace sim

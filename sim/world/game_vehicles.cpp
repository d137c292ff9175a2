// Reading the bundled table of the game's vehicle models.
#include "world/game_vehicles.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>

namespace sim {
namespace {

std::string_view nextField(std::string_view& line) {
    const auto tab = line.find('\t');
    const std::string_view field = line.substr(0, tab);
    line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    return field;
}

bool readHash(std::string_view text, std::uint32_t& hash) {
    if (text.size() < 3 || text.substr(0, 2) != "0x") return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, hash, 16);
    return error == std::errc() && stop == end;
}

template <typename Number>
bool readNumber(std::string_view text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

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
    std::vector<GameVehicle> vehicles;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        vehicles.push_back(parseRow(line, lineNumber));
    }
    return vehicles;
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

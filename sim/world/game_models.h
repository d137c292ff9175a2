// The models that ship with the game: the bundled copy of the game's model table, read once.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

enum class ModelKind : std::uint8_t { Ped, Vehicle, Weapon };

struct GameModel {
    ModelKind kind = ModelKind::Ped;
    std::string_view name;  // lower case, as the table writes it
    std::uint32_t hash = 0;
};

// The bytes of data/game-models.tsv, built into the program (generated source).
extern const std::string_view gameModelsText;

// Rows of a table in that format: "kind<TAB>name<TAB>0xHASH" lines, '#' comment lines skipped.
// Throws std::runtime_error naming the line of a malformed row.
std::vector<GameModel> parseGameModels(std::string_view text);

// The bundled table, sorted by hash, parsed on first use.
const std::vector<GameModel>& gameModels();
// The ped or vehicle model of the game with this hash (weapons are no models); null when none.
const GameModel* findGameModel(std::uint32_t hash);

}  // namespace sim

// Reading the bundled table of the game's models.
#include "world/game_models.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "world/game_table.h"

namespace sim {

namespace {

using gameTable::nextField;
using gameTable::readHash;

bool readKind(std::string_view text, ModelKind& kind) {
    if (text == "ped")
        kind = ModelKind::Ped;
    else if (text == "vehicle")
        kind = ModelKind::Vehicle;
    else if (text == "weapon")
        kind = ModelKind::Weapon;
    else
        return false;
    return true;
}

GameModel parseRow(std::string_view line, std::size_t lineNumber) {
    GameModel model;
    const std::string_view kind = nextField(line);
    model.name = nextField(line);
    const std::string_view hash = nextField(line);
    if (!readKind(kind, model.kind) || model.name.empty() || !readHash(hash, model.hash) || !line.empty()) {
        throw std::runtime_error("game model table line " + std::to_string(lineNumber) +
                                 ": expected kind, name and 0x hash separated by tabs");
    }
    return model;
}

}  // namespace

std::vector<GameModel> parseGameModels(std::string_view text) { return gameTable::readRows<GameModel>(text, parseRow); }

const std::vector<GameModel>& gameModels() {
    static const std::vector<GameModel> models = [] {
        std::vector<GameModel> sorted = parseGameModels(gameModelsText);
        std::sort(sorted.begin(), sorted.end(), [](const GameModel& a, const GameModel& b) { return a.hash < b.hash; });
        return sorted;
    }();
    return models;
}

const GameModel* findGameModel(std::uint32_t hash) {
    const auto& models = gameModels();
    auto found = std::lower_bound(models.begin(), models.end(), hash,
                                  [](const GameModel& model, std::uint32_t wanted) { return model.hash < wanted; });
    for (; found != models.end() && found->hash == hash; ++found) {
        if (found->kind != ModelKind::Weapon) return &*found;
    }
    return nullptr;
}

}  // namespace sim

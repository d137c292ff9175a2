// Reading the bundled table of the game's models.
#include "world/game_models.h"

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

bool readHash(std::string_view text, std::uint32_t& hash) {
    if (text.size() < 3 || text.substr(0, 2) != "0x") return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, hash, 16);
    return error == std::errc() && stop == end;
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

std::vector<GameModel> parseGameModels(std::string_view text) {
    std::vector<GameModel> models;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        models.push_back(parseRow(line, lineNumber));
    }
    return models;
}

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

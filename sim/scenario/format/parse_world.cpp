// The scenario parser's world: the models, the player, the peds and vehicles placed at the start,
// the screen and the frame time.
#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "scenario/format/nearest_name.h"
#include "scenario/format/parse_support.h"
#include "world/entities.h"
#include "world/game_models.h"

namespace scenario::parse {

namespace {

std::string lowerCase(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// A model the scenario's world has: one of the game's own or a declared add-on.
struct KnownModel {
    std::string name;
    bool isVehicle = false;
};

// The declared add-ons by lower-case name, so that a world of many models is read in linear time.
using AddonIndex = std::unordered_map<std::string, std::size_t>;

struct ModelLookup {
    const WorldSetup& world;
    const AddonIndex& addons;
};

std::optional<KnownModel> gameModel(std::string_view name) {
    const sim::GameModel* game = sim::findGameModel(sim::hashName(name));
    if (game == nullptr || lowerCase(game->name) != lowerCase(name)) return std::nullopt;
    return KnownModel{std::string(game->name), game->kind == sim::ModelKind::Vehicle};
}

std::optional<KnownModel> knownModel(const ModelLookup& models, std::string_view name) {
    const auto found = models.addons.find(lowerCase(name));
    if (found != models.addons.end()) {
        const AddonModel& addon = models.world.addonModels[found->second];
        return KnownModel{addon.name, addon.isVehicle};
    }
    return gameModel(name);
}

// Words the format gives a meaning of their own where a ped or vehicle name goes ("none" is the
// expected target when there is none).
bool reservedName(std::string_view name) {
    return name == "player" || name == "gunner" || name == "crew" || name == "none";
}

// Refuses a list longer than `limit` before any entry of it is read.
void checkCount(const Reader& reader, const toml::node& node, const std::string& field, std::size_t count,
                std::size_t limit) {
    if (count > limit) {
        reader.fail(node, field, std::to_string(count) + " entries; the limit is " + std::to_string(limit));
    }
}

void readAddonModels(const Reader& reader, const toml::array& addons, WorldSetup& world, AddonIndex& index) {
    for (std::size_t i = 0; i < addons.size(); ++i) {
        const std::string field = parse::indexed("world.addon_models", i);
        const auto& entry = reader.table(*addons.get(i), field);
        reader.onlyKeys(entry, field, {"name", "kind"}, "add-on model field");
        const auto* name = entry.get("name");
        const auto* kind = entry.get("kind");
        if (name == nullptr) reader.fail(entry, join(field, "name"), "missing");
        if (kind == nullptr) reader.fail(entry, join(field, "kind"), "missing: \"ped\" or \"vehicle\"");
        AddonModel addon{reader.string(*name, join(field, "name")), false};
        if (addon.name.empty()) reader.fail(*name, join(field, "name"), "empty name");
        if (gameModel(addon.name)) reader.fail(*name, join(field, "name"), "'" + addon.name + "' ships with the game");
        if (index.contains(lowerCase(addon.name)))
            reader.fail(*name, join(field, "name"), "'" + addon.name + "' is declared twice");
        const std::string kindText = reader.string(*kind, join(field, "kind"));
        if (kindText != "ped" && kindText != "vehicle") {
            reader.fail(*kind, join(field, "kind"), "expected \"ped\" or \"vehicle\", not '" + kindText + "'");
        }
        addon.isVehicle = kindText == "vehicle";
        index.emplace(lowerCase(addon.name), world.addonModels.size());
        world.addonModels.push_back(addon);
    }
}

// Only models the world has can be adjusted: the table of the game's models is not extended here.
void readModels(const Reader& reader, const toml::table& table, const ModelLookup& models, WorldSetup& world) {
    for (auto&& [key, node] : table) {
        const std::string field = join("world.models", key.str());
        const auto known = knownModel(models, key.str());
        if (!known) {
            reader.fail(node, field,
                        "model '" + std::string(key.str()) + "' is not in the game" +
                            modelHint(key.str(), models.world.addonModels) +
                            " (a model a player installs goes under [world] addon_models)");
        }
        ModelSetup model{known->name, std::nullopt, std::nullopt};
        if (node.is_integer()) {
            model.framesToLoad = static_cast<std::int32_t>(reader.integer(node, field, -1, 100000));
            world.models.push_back(model);
            continue;
        }
        const auto& entry = reader.table(node, field);
        reader.onlyKeys(entry, field, {"frames", "in_image"}, "model field");
        if (const auto* frames = entry.get("frames")) {
            model.framesToLoad = static_cast<std::int32_t>(reader.integer(*frames, join(field, "frames"), -1, 100000));
        }
        if (const auto* inImage = entry.get("in_image"))
            model.inImage = reader.boolean(*inImage, join(field, "in_image"));
        world.models.push_back(model);
    }
}

std::string checkedName(const Reader& reader, const toml::table& entry, const std::string& field, Names& names) {
    const auto* node = entry.get("name");
    if (node == nullptr) reader.fail(entry, join(field, "name"), "missing: every ped and vehicle needs a name");
    const std::string name = reader.string(*node, join(field, "name"));
    if (name.empty()) reader.fail(*node, join(field, "name"), "empty name");
    if (reservedName(name)) reader.fail(*node, join(field, "name"), "'" + name + "' is reserved");
    if (names.peds.contains(name) || names.vehicles.contains(name)) {
        reader.fail(*node, join(field, "name"), "'" + name + "' is used twice");
    }
    return name;
}

std::string checkedModel(const Reader& reader, const toml::table& entry, const std::string& field,
                         const ModelLookup& models, bool wantVehicle) {
    const auto* node = entry.get("model");
    if (node == nullptr) reader.fail(entry, join(field, "model"), "missing");
    const std::string name = reader.string(*node, join(field, "model"));
    const auto model = knownModel(models, name);
    if (!model) {
        reader.fail(*node, join(field, "model"),
                    "model '" + name + "' is not in the game" + modelHint(name, models.world.addonModels) +
                        " (a model a player installs goes under [world] addon_models)");
    }
    if (model->isVehicle != wantVehicle) {
        reader.fail(*node, join(field, "model"),
                    "model '" + name + "' is " + (model->isVehicle ? "a vehicle model" : "not a vehicle model"));
    }
    return model->name;
}

sim::Vec3 requiredVec3(const Reader& reader, const toml::table& entry, const std::string& field, std::string_view key) {
    const auto* node = entry.get(key);
    if (node == nullptr) reader.fail(entry, join(field, key), "missing");
    return reader.vec3(*node, join(field, key));
}

// What a ped and a vehicle of the world both have: where the entry stands, its name, model,
// position and heading.
template <typename Setup>
void readPlacement(const Reader& reader, const toml::table& entry, const std::string& field, const ModelLookup& models,
                   Names& names, bool isVehicle, Setup& setup) {
    setup.origin = reader.origin(entry);
    setup.name = checkedName(reader, entry, field, names);
    setup.model = checkedModel(reader, entry, field, models, isVehicle);
    setup.position = requiredVec3(reader, entry, field, "position");
    if (const auto* n = entry.get("heading")) setup.heading = reader.number(*n, join(field, "heading"));
}

void readPeds(const Reader& reader, const toml::array& peds, WorldSetup& world, const ModelLookup& models,
              Names& names) {
    checkCount(reader, peds, "world.peds", peds.size(), maxWorldPeds);
    for (std::size_t i = 0; i < peds.size(); ++i) {
        const std::string field = parse::indexed("world.peds", i);
        const auto& entry = reader.table(*peds.get(i), field);
        reader.onlyKeys(entry, field, {"name", "model", "position", "heading", "velocity", "type", "health"},
                        "ped field");
        PedSetup ped;
        readPlacement(reader, entry, field, models, names, false, ped);
        if (const auto* n = entry.get("velocity")) ped.velocity = reader.vec3(*n, join(field, "velocity"));
        if (const auto* n = entry.get("type"))
            ped.pedType = static_cast<std::int32_t>(reader.integer(*n, join(field, "type"), 0, 30));
        if (const auto* n = entry.get("health")) {
            ped.health = static_cast<std::int32_t>(reader.integer(*n, join(field, "health"), 0, 100000000));
        }
        names.peds.insert(ped.name);
        world.peds.push_back(ped);
    }
}

void readVehicles(const Reader& reader, const toml::array& vehicles, WorldSetup& world, const ModelLookup& models,
                  Names& names) {
    checkCount(reader, vehicles, "world.vehicles", vehicles.size(), maxWorldVehicles);
    for (std::size_t i = 0; i < vehicles.size(); ++i) {
        const std::string field = parse::indexed("world.vehicles", i);
        const auto& entry = reader.table(*vehicles.get(i), field);
        reader.onlyKeys(entry, field, {"name", "model", "position", "heading"}, "vehicle field");
        VehicleSetup vehicle;
        readPlacement(reader, entry, field, models, names, true, vehicle);
        names.vehicles.insert(vehicle.name);
        world.vehicles.push_back(vehicle);
    }
}

// Below the smallest size the script's status line would be drawn above the screen's top and
// its menu off the screen, so the narration could not agree with what the script draws.
std::int32_t screenSide(const Reader& reader, const toml::node& node, const char* way, std::int32_t smallest) {
    const auto* value = node.as_integer();
    if (value != nullptr && value->get() >= 1 && value->get() < smallest) {
        reader.fail(node, "world.screen",
                    "a screen " + std::to_string(value->get()) + " pixels " + way +
                        " is too small for the script's menu and status line (at least " + std::to_string(smallest) +
                        ")");
    }
    return static_cast<std::int32_t>(reader.integer(node, "world.screen", smallest, 16384));
}

}  // namespace

void readWorld(const Reader& reader, const toml::table& table, WorldSetup& world, Names& names) {
    reader.onlyKeys(
        table, "world",
        {"screen", "frame_ms", "start_tick", "camera", "player", "addon_models", "models", "peds", "vehicles"},
        "world field");
    if (const auto* node = table.get("screen")) {
        const auto* size = node->as_array();
        if (size == nullptr || size->size() != 2) reader.fail(*node, "world.screen", "expected [width, height]");
        world.screenWidth = screenSide(reader, *size->get(0), "wide", minScreenWidth);
        world.screenHeight = screenSide(reader, *size->get(1), "high", minScreenHeight);
    }
    if (const auto* node = table.get("frame_ms")) {
        world.frameMs = static_cast<std::uint32_t>(reader.integer(*node, "world.frame_ms", 1, 1000));
    }
    if (const auto* node = table.get("start_tick")) {
        world.startTick = static_cast<std::uint32_t>(reader.integer(*node, "world.start_tick", 0, 0xFFFFFFFFll));
    }
    if (const auto* node = table.get("camera")) world.camera = reader.vec3(*node, "world.camera");
    if (const auto* node = table.get("player")) {
        const auto& player = reader.table(*node, "world.player");
        reader.onlyKeys(player, "world.player", {"position", "heading"}, "player field");
        if (const auto* n = player.get("position")) world.playerPosition = reader.vec3(*n, "world.player.position");
        if (const auto* n = player.get("heading")) world.playerHeading = reader.number(*n, "world.player.heading");
    }
    // Add-ons first, wherever the file puts them: the other entries may name them.
    AddonIndex addons;
    if (const auto* node = table.get("addon_models"))
        readAddonModels(reader, reader.array(*node, "world.addon_models"), world, addons);
    const ModelLookup models{world, addons};
    if (const auto* node = table.get("models")) readModels(reader, reader.table(*node, "world.models"), models, world);
    if (const auto* node = table.get("peds")) readPeds(reader, reader.array(*node, "world.peds"), world, models, names);
    if (const auto* node = table.get("vehicles"))
        readVehicles(reader, reader.array(*node, "world.vehicles"), world, models, names);
}

}  // namespace scenario::parse

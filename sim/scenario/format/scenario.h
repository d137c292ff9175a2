// A scenario: the world at the start, a timeline of inputs and world events, and expectations.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "world/vec3.h"

namespace scenario {

// Where something was written in the scenario file, for messages.
struct Origin {
    std::string file;
    std::int64_t line = 0;
    std::int64_t column = 0;
};

// "file:line" for a message.
std::string describe(const Origin& origin);

// A model a player installed beside the game's own (the game's own come from its model table).
struct AddonModel {
    std::string name;
    bool isVehicle = false;
};

// Streaming facts a scenario changes for a model of the game or an add-on.
struct ModelSetup {
    std::string name;
    std::optional<bool> inImage;
    std::optional<std::int32_t> framesToLoad;  // negative: requested but never loads
};

struct PedSetup {
    std::string name;  // how the timeline and the expectations refer to it
    std::string model;
    sim::Vec3 position;
    float heading = 0.0f;
    sim::Vec3 velocity;
    std::int32_t pedType = 4;
    std::int32_t health = 200;
    Origin origin;
};

struct VehicleSetup {
    std::string name;
    std::string model;
    sim::Vec3 position;
    float heading = 0.0f;
    Origin origin;
};

struct WorldSetup {
    std::int32_t screenWidth = 1280;
    std::int32_t screenHeight = 720;
    sim::Vec3 playerPosition;
    float playerHeading = 0.0f;
    sim::Vec3 camera{0.0f, -6.0f, 2.0f};
    std::uint32_t startTick = 100000;
    std::uint32_t frameMs = 16;
    std::vector<AddonModel> addonModels;
    std::vector<ModelSetup> models;
    std::vector<PedSetup> peds;
    std::vector<VehicleSetup> vehicles;
};

struct EventKind;
struct CheckKind;

// One timeline entry. Entity references are names: a ped or vehicle of the world, or one of the
// reserved names "player", "gunner" and "crew" (the crew vehicle). Which fields an event uses is
// up to its kind (see kinds.h).
struct TimelineEvent {
    std::uint32_t atMs = 0;
    const EventKind* kind = nullptr;
    std::vector<int> keys;       // virtual-key codes for press, release and tap
    std::string keyText;         // the keys as written, for narration
    std::uint32_t holdMs = 100;  // for tap
    std::string subject;
    std::string object;
    std::optional<sim::Vec3> point;
    std::optional<sim::Vec3> velocity;
    std::int32_t amount = 0;
    std::int32_t seat = -1;
    float value = 0.0f;
    bool flag = false;
    std::string word;  // for events told apart by a word: gunner = "thrown_out"
    Origin origin;
};

// One check of an expectation; `origin` is the line of the check itself.
struct Expectation {
    const CheckKind* kind = nullptr;
    std::int64_t number = 0;
    bool flag = false;
    std::string text;
    std::vector<std::string> names;  // for checks of several names in order
    std::int64_t min = 0;
    std::int64_t max = 0;
    Origin origin;
};

struct ExpectationGroup {
    std::optional<std::uint32_t> atMs;  // empty: at the end of the run
    std::vector<Expectation> checks;
    Origin origin;
};

struct Scenario {
    std::string file;
    std::string name;
    std::string description;
    WorldSetup world;
    std::vector<TimelineEvent> timeline;  // sorted by time, stable
    std::uint32_t endMs = 0;
    std::vector<ExpectationGroup> expectations;
    // TobekGunner.ini beside the script (from a [settings] table or a settings_file); none when empty.
    std::optional<std::string> settingsText;
    // The settings_file as opened, so no output may be written over it ("" without one).
    std::string settingsPath;
};

}  // namespace scenario

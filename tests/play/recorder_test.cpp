// The recorder's scenario text: the world of every bundled scenario reads back as it was, and
// timeline fields are written as TOML the parser takes.
#include "play/recorder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "play/entry_text.h"
#include "scenario/format/parser.h"

namespace {

std::array<float, 3> xyz(const sim::Vec3& v) { return {v.x, v.y, v.z}; }

void expectSameWorld(const scenario::WorldSetup& a, const scenario::WorldSetup& b, const std::string& file) {
    SCOPED_TRACE(file);
    EXPECT_EQ(a.screenWidth, b.screenWidth);
    EXPECT_EQ(a.frameMs, b.frameMs);
    EXPECT_EQ(a.startTick, b.startTick);
    EXPECT_EQ(xyz(a.camera), xyz(b.camera));
    EXPECT_EQ(xyz(a.playerPosition), xyz(b.playerPosition));
    EXPECT_EQ(a.playerHeading, b.playerHeading);
    ASSERT_EQ(a.addonModels.size(), b.addonModels.size());
    for (std::size_t i = 0; i < a.addonModels.size(); ++i) {
        EXPECT_EQ(a.addonModels[i].name, b.addonModels[i].name);
        EXPECT_EQ(a.addonModels[i].isVehicle, b.addonModels[i].isVehicle);
    }
    ASSERT_EQ(a.models.size(), b.models.size());
    for (std::size_t i = 0; i < a.models.size(); ++i) {
        EXPECT_EQ(a.models[i].name, b.models[i].name);
        EXPECT_EQ(a.models[i].inImage, b.models[i].inImage);
        EXPECT_EQ(a.models[i].framesToLoad, b.models[i].framesToLoad);
    }
    ASSERT_EQ(a.peds.size(), b.peds.size());
    for (std::size_t i = 0; i < a.peds.size(); ++i) {
        EXPECT_EQ(a.peds[i].name, b.peds[i].name);
        EXPECT_EQ(a.peds[i].model, b.peds[i].model);
        EXPECT_EQ(xyz(a.peds[i].position), xyz(b.peds[i].position));
        EXPECT_EQ(a.peds[i].heading, b.peds[i].heading);
        EXPECT_EQ(xyz(a.peds[i].velocity), xyz(b.peds[i].velocity));
        EXPECT_EQ(a.peds[i].pedType, b.peds[i].pedType);
        EXPECT_EQ(a.peds[i].health, b.peds[i].health);
    }
    ASSERT_EQ(a.vehicles.size(), b.vehicles.size());
    for (std::size_t i = 0; i < a.vehicles.size(); ++i) {
        EXPECT_EQ(a.vehicles[i].name, b.vehicles[i].name);
        EXPECT_EQ(a.vehicles[i].model, b.vehicles[i].model);
        EXPECT_EQ(xyz(a.vehicles[i].position), xyz(b.vehicles[i].position));
    }
}

TEST(PlayRecorder, EveryBundledWorldReadsBackAsItWas) {
    int worlds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TG_SOURCE_DIR) + "/scenarios")) {
        const scenario::Scenario original = scenario::loadScenario(entry.path().string());
        const scenario::Scenario back =
            scenario::parseScenario("end = 1\n" + play::worldText(original.world), entry.path().filename().string());
        expectSameWorld(original.world, back.world, entry.path().filename().string());
        ++worlds;
    }
    EXPECT_GE(worlds, 10);
}

TEST(PlayRecorder, FloatsReadBackExactly) {
    for (const double value : {0.0, -0.0, 1.0, 0.1, 1e-7, 123456.789, -45.5, 1e6 + 0.25}) {
        const scenario::Scenario back = scenario::parseScenario(
            "end = 1\n[world]\ncamera = [" + play::floatText(value) + ", 0.0, 0.0]\n", "float.toml");
        EXPECT_EQ(back.world.camera.x, static_cast<float>(value)) << play::floatText(value);
    }
    EXPECT_EQ(play::floatText(2.0), "2.0");
    EXPECT_THROW(play::floatText(std::numeric_limits<double>::infinity()), std::invalid_argument);
}

TEST(PlayRecorder, EntryFieldsKeepTheirOrderAndQuoteTheirStrings) {
    const auto fields = nlohmann::ordered_json::parse(R"({"shoot": "a\"b\\c", "target": "player", "damage": 10})");
    EXPECT_EQ(play::entryFields(fields), R"(shoot = "a\"b\\c", target = "player", damage = 10)");
    EXPECT_EQ(play::entryAt(32, "leave_vehicle = true"), "{ at = 32, leave_vehicle = true }");
    EXPECT_EQ(play::entryFields(nlohmann::ordered_json::parse(R"({"move": "crew", "to": [1.5, -2, 0.0]})")),
              "move = \"crew\", to = [1.5, -2, 0.0]");
    EXPECT_THROW(play::entryFields(nlohmann::ordered_json::parse(R"({"bad key": 1})")), std::invalid_argument);
    EXPECT_THROW(play::entryFields(nlohmann::ordered_json::parse(R"({"press": "e\n"})")), std::invalid_argument);
    EXPECT_THROW(play::entryFields(nlohmann::ordered_json::parse(R"([1, 2])")), std::invalid_argument);
    EXPECT_THROW(play::entryFields(nlohmann::ordered_json::parse(R"({"kill": null})")), std::invalid_argument);
}

TEST(PlayRecorder, ARecordingWithSettingsNamesItsFileOnTheLineTheEntriesCountOn) {
    play::Recording recording;
    recording.name = "n";
    recording.settingsText = "[keys]\nmenu = F5\n";
    recording.settingsFile = "played.ini";
    recording.entries = {"{ at = 16, press = \"f5\" }", "{ at = 32, release = \"f5\" }"};
    const std::string text = play::scenarioText(recording, play::Moment{48, 0, 0, false, false, 0, "", {}});
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[static_cast<std::size_t>(play::entryLine(recording, 0)) - 1], "  " + recording.entries[0] + ",");
    EXPECT_EQ(lines[static_cast<std::size_t>(play::entryLine(recording, 1)) - 1], "  " + recording.entries[1] + ",");
    EXPECT_NE(text.find("settings_file = \"played.ini\"\n"), std::string::npos);
    EXPECT_NE(text.find("end = 48\n"), std::string::npos);
}

}  // namespace

// What the narration tells of things the script does silently, across respawns, and the
// machine-readable records of a run read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "scenario/format/parser.h"
#include "scenario/outputs/run_records.h"
#include "scenario/report/report_parts.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"
#include "support/inline_scenario.h"

namespace {

scenario::RunResult play(const std::string& text) { return test::playInline(text); }

std::vector<std::string> linesWith(const scenario::RunResult& result, const std::string& text) {
    std::vector<std::string> found;
    for (const auto& line : result.narration) {
        if (line.text.find(text) != std::string::npos) found.push_back(line.text);
    }
    return found;
}

constexpr const char* spawnInsurgent = R"(
  { at = 200, tap = "ctrl+i" },
  { at = 500, tap = "numpad2" },
  { at = 800, tap = "enter" },
)";

TEST(ScenarioNarration, TellsKeysTheScriptNeverReadWhileItSpawns) {
    const auto result = play(std::string("end = 9000\ntimeline = [") + spawnInsurgent + R"(
  { at = 1500, tap = "e" },
  { at = 2000, tap = "ctrl+i" },
  { at = 4500, enter_vehicle = "crew" },
  { at = 5000, tap = "e" },
]
)");
    EXPECT_EQ(linesWith(result, "E ignored: the script is showing the spawn message").size(), 1u);
    EXPECT_EQ(linesWith(result, "Ctrl+I ignored: the script is showing the spawn message").size(), 1u);
    // Once the spawn is over the same key works, and is not called ignored.
    EXPECT_EQ(linesWith(result, "attack mode 0 -> 1").size(), 1u);
    EXPECT_EQ(linesWith(result, "vehicle menu opened").size(), 1u);
    EXPECT_EQ(result.derivationMismatches, 0u);
}

TEST(ScenarioNarration, TellsWhyAnUnfitCrewIsKeptWhileThePlayerIsOnFoot) {
    const auto result = play(std::string("end = 8000\ntimeline = [") + spawnInsurgent + R"(
  { at = 5000, crew_vehicle = "in_water" },
  { at = 6000, enter_vehicle = "crew" },
]
[[expect]]
at = 5900
crew_exists = true
[[expect]]
crew_exists = false
)");
    const auto kept = linesWith(result, "the crew is kept although the crew vehicle is in water");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(kept[0].find("the player on foot and attack mode 0"), std::string::npos);
    // Getting in makes the script look: the crew is given up at once.
    EXPECT_EQ(linesWith(result, "crew given up (the crew vehicle is in water)").size(), 1u);
    EXPECT_TRUE(result.passed());
}

TEST(ScenarioNarration, TellsFireAtAPedAlreadyDownOncePerPed) {
    const auto result = play(std::string("end = 12000\ntimeline = [") + spawnInsurgent + R"(
  { at = 4500, enter_vehicle = "crew" },
  { at = 5000, shoot = "biker", target = "player", damage = 10 },
  { at = 5200, tap = "e" },
]
[world]
[[world.peds]]
name = "biker"
model = "g_m_y_lost_01"
position = [5.0, 15.0, 0.0]
health = 100
)");
    ASSERT_EQ(linesWith(result, "biker is down").size(), 1u);
    EXPECT_EQ(linesWith(result, "the gunner keeps firing at biker, who is already down").size(), 1u);
}

// A Valkyrie chosen while a crew in mode 0 is out: the spawn sets mode 1 before it dismisses the old
// crew, which takes frames, and the narration holds mode 1 from that first call on.
TEST(ScenarioNarration, TheValkyriesModeIsToldFromTheStartOfItsSpawn) {
    const scenario::Scenario s = scenario::parseScenario(R"(
end = 16000
timeline = [
  { at = 200,   tap = "ctrl+i" },
  { at = 500,   tap = "enter" },
  { at = 4000,  tap = "ctrl+i" },
  { at = 4300,  tap = "numpad2" },
  { at = 4600,  tap = "enter" },
  { at = 8600,  tap = "ctrl+i" },
  { at = 8900,  tap = "numpad2" },
  { at = 9500,  tap = "enter" },
]
[[expect]]
attack_mode = 1
vehicle_on_player = false
)",
                                                         "inline.toml");
    scenario::RunOptions options;
    options.probe = sim::readLinkedScriptView;
    const auto result = scenario::runScenario(s, sim::linkedScript(), options);
    EXPECT_TRUE(result.passed());
    EXPECT_EQ(linesWith(result, "Valkyrie chosen: spawning the crew").size(), 1u);
    EXPECT_EQ(result.derivationMismatches, 0u) << (result.mismatchNotes.empty() ? "" : result.mismatchNotes[0]);
}

TEST(ScenarioNarration, EachRespawnHoldsTheNewCrewAndGivesUpOnlyItsOwn) {
    const auto path = std::filesystem::path(TG_SOURCE_DIR) / "scenarios" / "respawn_twice.toml";
    const scenario::Scenario s = scenario::loadScenario(path.string());
    scenario::RunOptions options;
    options.probe = sim::readLinkedScriptView;
    const auto result = scenario::runScenario(s, sim::linkedScript(), options);
    EXPECT_TRUE(result.passed());
    EXPECT_EQ(result.derivationMismatches, 0u) << (result.mismatchNotes.empty() ? "" : result.mismatchNotes[0]);
    EXPECT_EQ(linesWith(result, "Insurgent chosen: spawning the crew").size(), 3u);
    // One forgetting per give-up, never one at a new spawn, and no "again" for a new crew.
    EXPECT_EQ(linesWith(result, "the script forgets the crew vehicle").size(), 2u);
    EXPECT_EQ(linesWith(result, "crew given up (the crew vehicle is in water)").size(), 1u);
    EXPECT_EQ(linesWith(result, "crew given up (the crew vehicle is upside down)").size(), 1u);
    EXPECT_TRUE(linesWith(result, "given up again").empty());
    EXPECT_EQ(linesWith(result, "highlight on Insurgent (the last choice)").size(), 2u);
}

TEST(RunRecords, TheJsonDocumentAndTheTraceSummaryReadBack) {
    const std::string text = std::string("end = 6000\ntimeline = [") + spawnInsurgent + R"(]
[[expect]]
at = 3000
status = "Insurgent vehicle created."
[[expect]]
wanted_level = 2
)";
    const scenario::Scenario s = scenario::parseScenario(text, "inline.toml");
    const auto result = scenario::runScenario(s, sim::linkedScript(), {});
    const auto json = nlohmann::json::parse(scenario::runJson(s, result));
    EXPECT_EQ(json["scenario"]["file"], "inline.toml");
    EXPECT_EQ(json["summary"]["result"], "FAILED");
    EXPECT_EQ(json["summary"]["expectations"], 2);
    EXPECT_EQ(json["summary"]["met"], 1);
    EXPECT_EQ(json["summary"]["frames"], result.frames);
    ASSERT_EQ(json["expectations"].size(), 2u);
    EXPECT_EQ(json["expectations"][0]["passed"], true);
    EXPECT_EQ(json["expectations"][1]["passed"], false);
    EXPECT_EQ(json["expectations"][1]["expected"], "wanted level 2");
    EXPECT_EQ(json["expectations"][1]["found"], "wanted level 0");
    EXPECT_EQ(json["expectations"][1]["where"], "inline.toml:11");
    ASSERT_EQ(json["narration"].size(), result.narration.size());
    EXPECT_EQ(json["narration"][0]["text"], result.narration[0].text);

    const auto summary = nlohmann::json::parse(scenario::traceSummaryLine(result));
    EXPECT_EQ(summary["summary"], json["summary"]);
    EXPECT_EQ(summary["summary"]["native_calls"], result.nativeCalls);
}

// Line breaks and tabs survive; any other control character is shown as its escape, as on the
// terminal, so a reader of the JSON never gets a raw one either.
TEST(RunRecords, JsonStringsEscapeQuotesBackslashesAndControlCharacters) {
    const auto text = std::string("a \"b\" \\ c\n\t\x01\x1b[2J");
    EXPECT_EQ(nlohmann::json::parse(scenario::jsonString(text)), "a \"b\" \\ c\n\t\\x01\\x1b[2J");
}

}  // namespace

namespace {

// A long run's timeline keeps its first and last entries and says how many were left out.
TEST(ReportParts, TheTimelineIsCappedKeepingBothEnds) {
    scenario::RunResult result;
    for (std::uint32_t i = 0; i < 25; ++i)
        result.narration.push_back({i * 10, i, scenario::NarrationKind::World, "line " + std::to_string(i)});
    const std::string capped = scenario::timelineHtml(result, 10);
    EXPECT_NE(capped.find(" line 0</li>"), std::string::npos);
    EXPECT_NE(capped.find(" line 4</li>"), std::string::npos);
    EXPECT_EQ(capped.find(" line 5</li>"), std::string::npos);
    EXPECT_EQ(capped.find(" line 19</li>"), std::string::npos);
    EXPECT_NE(capped.find(" line 20</li>"), std::string::npos);
    EXPECT_NE(capped.find(" line 24</li>"), std::string::npos);
    EXPECT_NE(capped.find("data-omitted=\"15\""), std::string::npos);
    const std::string whole = scenario::timelineHtml(result, 25);
    EXPECT_NE(whole.find(" line 12</li>"), std::string::npos);
    EXPECT_EQ(whole.find("omitted"), std::string::npos);
}

// The tables name every crew with its give-up, and every ped with the orders aimed at it.
TEST(ReportParts, CrewAndPedTablesTellEachOutcome) {
    scenario::RunResult result;
    result.crews.push_back(
        {"Insurgent", "INSURGENT", 800, {0, 5, 0}, 5000u, sim::Vec3{1, 6, 0}, "the crew vehicle is in water"});
    result.crews.push_back({"Technical", "TECHNICAL", 7000, {0, 9, 0}, std::nullopt, std::nullopt, ""});
    result.peds.push_back({"biker", 38, 6600u, std::nullopt, "down"});
    const std::string crews = scenario::crewTable(result);
    EXPECT_NE(crews.find("<td>INSURGENT</td><td>0.8 s</td><td>(0.0, 5.0)</td><td>5.0 s</td><td>(1.0, 6.0)</td>"
                         "<td>the crew vehicle is in water</td>"),
              std::string::npos);
    EXPECT_NE(crews.find("<td>TECHNICAL</td><td>7.0 s</td><td>(0.0, 9.0)</td><td>kept</td>"), std::string::npos);
    EXPECT_NE(scenario::pedTable(result).find("<td>biker</td><td>38</td><td>6.6 s</td><td>—</td><td>down</td>"),
              std::string::npos);
}

}  // namespace

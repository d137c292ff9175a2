// Timeline events of the game's own state, played against the real script.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "scenario/format/parser.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"

namespace {

using testing::HasSubstr;
using testing::StrEq;
using testing::ThrowsMessage;

auto parse(const std::string& text) {
    return [text] { scenario::parseScenario(text, "bad.toml"); };
}

// `wanted = N` puts the game's level in force at once, as the expectations and the narration see it,
// and `clear_wanted` drops it again.
TEST(ScenarioWorldEvents, TheGameSetsTheWantedLevel) {
    const scenario::Scenario s = scenario::parseScenario(R"(
end = 400
timeline = [
  { at = 100, wanted = 3 },
  { at = 200, wanted = 1 },
  { at = 300, clear_wanted = true },
]
[[expect]]
at = 90
wanted_level = 0
[[expect]]
at = 150
wanted_level = 3
[[expect]]
at = 250
wanted_level = 1
[[expect]]
wanted_level = 0
)",
                                                         "inline.toml");
    const scenario::RunResult result = scenario::runScenario(s, sim::linkedScript(), {});
    ASSERT_EQ(result.checks.size(), 4u);
    for (const auto& check : result.checks) EXPECT_TRUE(check.passed) << check.expected << " / " << check.actual;
    std::vector<std::string> told;
    for (const auto& line : result.narration) {
        if (line.kind == scenario::NarrationKind::World) told.push_back(std::to_string(line.ms) + " " + line.text);
    }
    EXPECT_EQ(told, (std::vector<std::string>{"112 the game sets the wanted level to 3",
                                              "208 the game sets the wanted level to 1",
                                              "304 the game clears the wanted level"}));
    EXPECT_EQ(result.wantedLevel, 0);
}

TEST(ScenarioWorldEvents, AWantedLevelOutsideTheGamesRangeIsRefused) {
    EXPECT_THAT(parse("end = 100\ntimeline = [ { at = 1, wanted = 7 } ]\n"),
                ThrowsMessage<scenario::ScenarioError>(HasSubstr("bad.toml:2: timeline[0].wanted: ")));
    EXPECT_THAT(parse("end = 100\ntimeline = [ { at = 1, wanted = -1 } ]\n"),
                ThrowsMessage<scenario::ScenarioError>(HasSubstr("timeline[0].wanted")));
    EXPECT_THAT(parse("end = 100\ntimeline = [ { at = 1, wanted = 6, hold = 1 } ]\n"),
                ThrowsMessage<scenario::ScenarioError>(
                    StrEq("bad.toml:2: timeline[0].hold: unknown field 'hold' for a 'wanted' event (it takes none)")));
    EXPECT_NO_THROW(parse("end = 100\ntimeline = [ { at = 1, wanted = 6 } ]\n")());
}

// A ped brought in by the timeline is in the world from its moment on: the entries and checks
// after it name it, the world answers for it, and before it the world has no such ped.
TEST(ScenarioWorldEvents, APedBroughtInByTheTimelineCanBeNamedAfterIt) {
    const scenario::Scenario s = scenario::parseScenario(R"(
end = 2000
timeline = [
  { at = 500, add_ped = "raider", model = "g_m_y_lost_01", position = [10.0, 4.0, 0.0], health = 150 },
  { at = 1000, kill = "raider" },
]
[[expect]]
at = 700
ped_standing = "raider"
[[expect]]
ped_down = "raider"
)",
                                                         "inline.toml");
    scenario::RunOptions options;
    options.collectReport = true;
    const scenario::RunResult result = scenario::runScenario(s, sim::linkedScript(), options);
    ASSERT_EQ(result.checks.size(), 2u);
    for (const auto& check : result.checks) EXPECT_TRUE(check.passed) << check.expected << " / " << check.actual;
    EXPECT_EQ(result.pedNames, (std::vector<std::string>{"raider"}));
    std::vector<std::string> told;
    for (const auto& line : result.narration) {
        if (line.kind == scenario::NarrationKind::World) told.push_back(std::to_string(line.ms) + " " + line.text);
    }
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.front(), "512 raider (g_m_y_lost_01) comes into the world at (10.0, 4.0, 0.0)");
    ASSERT_FALSE(result.samples.empty());
    EXPECT_TRUE(result.samples.front().peds.empty()) << "the ped was on the map before it came";
    EXPECT_EQ(result.samples.back().peds.size(), 1u);
}

TEST(ScenarioWorldEvents, APedBroughtInNeedsANewNameAPlaceAndAPedModel) {
    const std::string world =
        "[[world.peds]]\nname = \"walker\"\nmodel = \"a_m_y_hipster_01\"\nposition = [1.0, 1.0, 0.0]\n";
    const auto entry = [&](const std::string& fields) {
        return parse("end = 100\ntimeline = [ { at = 1, " + fields + " } ]\n" + world);
    };
    EXPECT_THAT(entry("add_ped = \"walker\", position = [0.0, 0.0, 0.0]"),
                ThrowsMessage<scenario::ScenarioError>(HasSubstr("'walker' is already a ped or vehicle")));
    EXPECT_THAT(entry("add_ped = \"none\", position = [0.0, 0.0, 0.0]"),
                ThrowsMessage<scenario::ScenarioError>(HasSubstr("'none' is reserved")));
    EXPECT_THAT(entry("add_ped = \"raider\""),
                ThrowsMessage<scenario::ScenarioError>(HasSubstr("timeline[0].position: missing")));
    EXPECT_THAT(entry("add_ped = \"raider\", model = \"insurgent\", position = [0.0, 0.0, 0.0]"),
                ThrowsMessage<scenario::ScenarioError>(HasSubstr("'insurgent' is not one of the game's ped models")));
    // A ped named before the entry that brings it in, in the file, is unknown there.
    EXPECT_THAT(parse("end = 100\ntimeline = [ { at = 50, kill = \"raider\" },"
                      " { at = 1, add_ped = \"raider\", position = [0.0, 0.0, 0.0] } ]\n"),
                ThrowsMessage<scenario::ScenarioError>(HasSubstr("unknown name 'raider'")));
    EXPECT_NO_THROW(entry("add_ped = \"raider\", position = [0.0, 0.0, 0.0]")());
}

}  // namespace

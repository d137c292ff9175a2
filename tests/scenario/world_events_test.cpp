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

}  // namespace

// Running scenarios against the real script: timeline timing, world events, expectations, trace.
#include "scenario/run/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "scenario/format/parser.h"
#include "scenario/report/report.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace {

scenario::RunOptions reporting() {
    scenario::RunOptions options;
    options.collectReport = true;
    return options;
}

scenario::RunOptions tracing(scenario::TraceWriter& writer) {
    scenario::RunOptions options;
    options.trace = &writer;
    return options;
}

scenario::RunResult runText(const std::string& text, const scenario::RunOptions& options = {}) {
    const scenario::Scenario s = scenario::parseScenario(text, "inline.toml");
    return scenario::runScenario(s, sim::linkedScript(), options);
}

// The first narration line containing `text`, or null.
const scenario::NarrationLine* said(const scenario::RunResult& result, const std::string& text) {
    for (const auto& line : result.narration) {
        if (line.text.find(text) != std::string::npos) return &line;
    }
    return nullptr;
}

TEST(ScenarioRun, RunsUntilTheEndTimeAndAppliesInputsOnTheFirstFrameAtOrAfterTheirTime) {
    const auto result = runText(R"(
end = 1000
timeline = [
  { at = 100, press = "ctrl+i" },
  { at = 150, release = "ctrl+i" },
  { at = 400, tap = "numpad2", hold = 30 },
  { at = 700, tap = "page_down", hold = 30 },
]
[world]
frame_ms = 20
)");
    EXPECT_TRUE(result.hostErrors.empty());
    EXPECT_EQ(result.frames, 51u);  // elapsed 0, 20, ..., 1000
    EXPECT_EQ(result.simulatedMs, 1000u);
    const auto* pressed = said(result, "press ctrl+i");
    ASSERT_NE(pressed, nullptr);
    EXPECT_EQ(pressed->ms, 100u);
    // The menu shows from the frame after the one that opened it.
    const auto* opened = said(result, "vehicle menu opened, highlight on Technical");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->ms, 120u);
    // The menu is drawn before its keys are read, so a move shows on the next frame.
    const auto* first = said(result, "highlight moved to Insurgent");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->ms, 420u);
    // A 30 ms tap is one move, and the second key moves once more.
    const auto* second = said(result, "highlight moved to Valkyrie");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->ms, 720u);
    EXPECT_EQ(said(result, "highlight moved to Close menu"), nullptr);
}

TEST(ScenarioRun, WorldEventsChangeTheWorldThatExpectationsSee) {
    const auto result = runText(R"(
end = 600
timeline = [
  { at = 100, kill = "a" },
  { at = 100, vanish = "b" },
  { at = 200, set_health = "c", health = 0 },
  { at = 300, set_health = "c", health = 50 },
  { at = 100, move = "d", to = [40, 50, 1] },
]
[[world.peds]]
name = "a"
model = "g_m_y_lost_01"
position = [3, 3, 0]
[[world.peds]]
name = "b"
model = "g_m_y_lost_01"
position = [4, 3, 0]
[[world.peds]]
name = "c"
model = "g_m_y_lost_01"
position = [5, 3, 0]
[[world.peds]]
name = "d"
model = "g_m_y_lost_01"
position = [6, 3, 0]
[[expect]]
at = 50
ped_standing = ["a", "b", "c"]
[[expect]]
at = 250
ped_down = ["a", "c"]
[[expect]]
ped_down = "b"
[[expect]]
ped_standing = ["b", "c"]
)",
                                reporting());
    ASSERT_EQ(result.checks.size(), 8u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_TRUE(result.checks[i].passed) << result.checks[i].actual;
    // A ped that vanished is neither down nor standing.
    EXPECT_FALSE(result.checks[5].passed);
    EXPECT_EQ(result.checks[5].actual, "b gone");
    EXPECT_FALSE(result.checks[6].passed);
    EXPECT_TRUE(result.checks[7].passed) << result.checks[7].actual;
    EXPECT_FALSE(result.passed());
    EXPECT_NE(said(result, "a is down"), nullptr);

    ASSERT_FALSE(result.samples.empty());
    const auto& last = result.samples.back();
    ASSERT_EQ(last.peds.size(), 4u);
    EXPECT_FALSE(last.peds[1].has_value());
    ASSERT_TRUE(last.peds[3].has_value());
    EXPECT_FLOAT_EQ(last.peds[3]->x, 40.0f);
    EXPECT_FLOAT_EQ(last.peds[3]->y, 50.0f);
    EXPECT_TRUE(last.pedsDown[0]);
}

TEST(ScenarioRun, FailedExpectationsSayWhereWhenAndWhatWasFound) {
    const auto result = runText(R"(
end = 500
timeline = [ { at = 100, press = "ctrl+i" } ]
[[expect]]
at = 300
wanted_level = 2
status = ""
)");
    ASSERT_EQ(result.checks.size(), 2u);
    EXPECT_FALSE(result.checks[0].passed);
    EXPECT_EQ(result.checks[0].check.origin.line, 6);
    EXPECT_EQ(result.checks[0].expected, "wanted level 2");
    EXPECT_EQ(result.checks[0].actual, "wanted level 0");
    EXPECT_EQ(result.checks[0].checkedAtMs, 304u);  // the first 16 ms frame at or after 300 ms
    EXPECT_TRUE(result.checks[1].passed);
    EXPECT_NE(said(result, "FAILED: expected wanted level 2, found wanted level 0 (inline.toml:6)"), nullptr);
}

TEST(ScenarioRun, TheMenuKeepsWorkingWhenTheClockWrapsDuringTheRun) {
    const auto result = runText(R"(
end = 3000
timeline = [
  { at = 100, tap = "ctrl+i" },
  { at = 1500, tap = "numpad2" },
  { at = 2500, tap = "numpad8" },
]
[world]
start_tick = 4294966296
)");
    // The clock wraps 1000 ms into the run.
    EXPECT_NE(said(result, "vehicle menu opened"), nullptr);
    EXPECT_NE(said(result, "highlight moved to Insurgent"), nullptr);
    EXPECT_NE(said(result, "highlight moved to Technical"), nullptr);
    EXPECT_TRUE(result.hostErrors.empty());
}

TEST(ScenarioRun, TheTraceGetsOneLinePerNativeCall) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    scenario::TraceWriter writer(file);
    const auto result = runText("end = 800\ntimeline = [ { at = 100, tap = \"ctrl+i\" } ]\n", tracing(writer));
    ASSERT_TRUE(writer.flush());
    std::rewind(file);
    std::uint64_t lines = 0;
    bool sawResolution = false;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
        ++lines;
        sawResolution = sawResolution || std::string(buffer).find("\"GET_SCREEN_RESOLUTION\"") != std::string::npos;
    }
    std::fclose(file);
    EXPECT_GT(result.nativeCalls, 100u);
    EXPECT_EQ(lines, result.nativeCalls);
    EXPECT_TRUE(sawResolution);
}

}  // namespace

namespace {

std::filesystem::path scenarioFolder() {
    // The source folder comes from the build: with a compiler cache __FILE__ may be relative.
    return std::filesystem::path(TG_SOURCE_DIR) / "scenarios";
}

// What the run derives from the calls alone (all a Windows process can see) must match the
// script's state record, frame by frame, in every bundled scenario.
TEST(ScenarioRun, WhatTheCallsTellMatchesTheScriptsOwnStateInEveryBundledScenario) {
    std::size_t played = 0;
    for (const auto& entry : std::filesystem::directory_iterator(scenarioFolder())) {
        if (entry.path().extension() != ".toml") continue;
        const scenario::Scenario s = scenario::loadScenario(entry.path().string());
        scenario::RunOptions options;
        options.probe = sim::readLinkedScriptView;
        const auto result = scenario::runScenario(s, sim::linkedScript(), options);
        EXPECT_EQ(result.derivationMismatches, 0u)
            << entry.path().filename() << ": " << (result.mismatchNotes.empty() ? "" : result.mismatchNotes[0]);
        EXPECT_TRUE(result.passed()) << entry.path().filename();
        ++played;
    }
    EXPECT_GE(played, 10u);
}

TEST(ScenarioRun, TheCrossCheckNoticesAStateThatDisagrees) {
    const scenario::Scenario s = scenario::loadScenario((scenarioFolder() / "valkyrie.toml").string());
    scenario::RunOptions options;
    options.probe = [] {
        scenario::ScriptView view = sim::readLinkedScriptView();
        view.attackMode = 0;  // the Valkyrie never is in mode 0
        view.crewExists = false;
        return view;
    };
    const auto result = scenario::runScenario(s, sim::linkedScript(), options);
    EXPECT_GT(result.derivationMismatches, 100u);
    auto noted = [&](const std::string& text) {
        for (const auto& note : result.mismatchNotes) {
            if (note.find(text) != std::string::npos) return true;
        }
        return false;
    };
    EXPECT_TRUE(noted("attack mode 0 in the script, 1 from the calls"));
    EXPECT_TRUE(noted("the script holds no crew"));
    // The probe also decides the expectations it answers: the Valkyrie's checks of mode 1 fail.
    EXPECT_FALSE(result.passed());
}

}  // namespace

namespace {

// The narration tells the game's events, in order, with their details.
TEST(ScenarioNarration, TellsTheRunByGameEventsInOrder) {
    struct Case {
        const char* file;
        std::vector<std::string> lines;  // each must follow the one before
    };
    const Case cases[] = {
        {"demo.toml",
         {"vehicle menu opened, highlight on Technical", "highlight moved to Insurgent",
          "Insurgent chosen: spawning the crew", "Insurgent created at (0.0, 5.0, 0.0)",
          "gunner created in seat 7 of the Insurgent", "\"Insurgent vehicle created.\"", "vehicle menu closed",
          "the player gets into the crew vehicle", "the gunner opens fire where the camera points",
          "wanted level raised to 1 at shot order 1", "\"Attack mode: Tobek attack enemies.\"", "attack mode 0 -> 1",
          "the gunner targets biker (hurt the player), 27.", "the gunner opens fire on biker", "biker is down"}},
        {"giveup_water.toml",
         {"the crew vehicle ends up in water",
          "crew given up (the crew vehicle is in water): the gunner is told to leave",
          "the script forgets the crew vehicle", "the gunner is out of the crew vehicle"}},
        {"giveup_gunner_killed.toml",
         {"the gunner is killed", "crew given up (the gunner's health is 0): the gunner's tasks are cleared",
          "the script forgets the crew vehicle"}},
        {"reboard.toml",
         {"the gunner is thrown out of the vehicle", "the gunner is ordered back into seat 7",
          "the gunner is back in seat 7 (re-boarded)"}},
        {"spawn_fails.toml",
         {"Valkyrie chosen: spawning the crew", "\"Failed creating vehicle.\"", "Insurgent chosen: spawning the crew",
          "\"Insurgent vehicle created.\""}},
        {"mode1_combat.toml",
         {"the gunner targets raider (hurt the crew vehicle)", "raider is down", "the gunner targets cop (police)",
          "the gunner targets sniper (hurt the gunner)"}},
    };
    for (const auto& c : cases) {
        const scenario::Scenario s = scenario::loadScenario((scenarioFolder() / c.file).string());
        const auto result = scenario::runScenario(s, sim::linkedScript(), {});
        std::size_t next = 0;
        for (const auto& line : result.narration) {
            if (next < c.lines.size() && line.text.find(c.lines[next]) != std::string::npos) ++next;
        }
        EXPECT_EQ(next, c.lines.size()) << c.file << ": missing, or out of order: \""
                                        << c.lines[std::min(next, c.lines.size() - 1)] << "\"";
    }
}

}  // namespace

namespace {

TEST(ScenarioRun, TheScriptsLogIsCheckedKeptAndShownInTheReport) {
    const auto result = runText(R"(
end = 400
[settings.keys]
menu = "Banana"
[[expect]]
at = 100
log_contains = "unknown key name in [keys] menu = 'Banana'"
[[expect]]
log_contains = "no such line anywhere"
)");
    ASSERT_EQ(result.checks.size(), 2u);
    EXPECT_TRUE(result.checks[0].passed);
    EXPECT_FALSE(result.checks[1].passed);
    EXPECT_EQ(result.checks[1].actual, "no such line in the log");
    EXPECT_NE(result.log.find("Tobek Gunner "), std::string::npos);
    EXPECT_NE(result.log.find("setting [keys] menu = Ctrl+I"), std::string::npos);
    const std::string html = scenario::renderReport(scenario::parseScenario("end = 1\n", "r.toml"), result);
    EXPECT_NE(html.find("<h2>TobekGunner.log</h2>"), std::string::npos);
    EXPECT_NE(html.find("menu = &#39;Banana&#39;"), std::string::npos);
}

}  // namespace

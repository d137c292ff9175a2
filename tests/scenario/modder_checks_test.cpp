// What a modder meets after changing the script: the checks of the gunner's set-up, hits, targets
// and downing times against real runs of the script; the spawn's set-up line; key names written
// as in the settings; "did you mean" for misspelt names; refused settings lines as warnings.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "scenario/format/keys.h"
#include "scenario/format/nearest_name.h"
#include "scenario/format/parser.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"
#include "support/inline_scenario.h"

namespace {

using test::parseError;

scenario::RunResult play(const std::string& text) { return test::playInline(text, false); }

// An Insurgent spawned with the settings' key names, two hostile peds shooting at the crew, the
// nearer one first; the gunner hunts them in attack mode 1 (the first body is cleared away, else
// it would stay the target).
constexpr const char* twoEnemies = R"(
end = 16000
timeline = [
  { at = 200, tap = "Ctrl+I" },
  { at = 500, tap = "NumPad2" },
  { at = 800, tap = "Enter" },
  { at = 4500, enter_vehicle = "crew" },
  { at = 5000, tap = "E" },
  { at = 6000, shoot = "near", target = "crew", damage = 5 },
  { at = 6000, shoot = "far", target = "crew", damage = 5 },
  { at = 11000, vanish = "near" },
]
[world]
peds = [
  { name = "near", model = "g_m_y_lost_01", position = [8.0, 20.0, 0.0], health = 100 },
  { name = "far", model = "g_m_y_lost_01", position = [-10.0, 30.0, 0.0], health = 100 },
  { name = "bystander", model = "a_m_y_hipster_01", position = [-20.0, -5.0, 0.0] },
]
)";

const scenario::RunResult& twoEnemiesRun(const std::string& expectations) {
    static std::map<std::string, scenario::RunResult> runs;
    auto found = runs.find(expectations);
    if (found == runs.end()) found = runs.emplace(expectations, play(twoEnemies + expectations)).first;
    return found->second;
}

std::vector<std::string> outcomes(const scenario::RunResult& result) {
    std::vector<std::string> lines;
    for (const auto& check : result.checks)
        lines.push_back((check.passed ? "ok: " : "FAILED: ") + check.expected + " / " + check.actual);
    return lines;
}

TEST(ModderChecks, TheGunnersSetUpIsCheckedAgainstTheWorld) {
    const auto& result = twoEnemiesRun(R"(
[[expect]]
at = 4000
gunner_health = 300
gunner_armour = 100
gunner_weapon = "weapon_microsmg"
gunner_ammo = 1000
gunner_alive = true
[[expect]]
at = 4000
gunner_health = 50
gunner_weapon = "WEAPON_PISTOL"
gunner_alive = false
)");
    const std::vector<std::string> expected{
        "ok: gunner health 300 / gunner health 300",
        "ok: gunner armour 100 / gunner armour 100",
        "ok: gunner weapon weapon_microsmg / gunner weapon weapon_microsmg",
        "ok: gunner ammunition 1000 / gunner ammunition 1000",
        "ok: gunner_alive true / gunner_alive true (health 300)",
        "FAILED: gunner health 50 / gunner health 300",
        "FAILED: gunner weapon WEAPON_PISTOL / gunner weapon WEAPON_MICROSMG",
        "FAILED: gunner_alive false / gunner_alive true (health 300)",
    };
    EXPECT_EQ(outcomes(result), expected);
}

TEST(ModderChecks, BeforeTheSpawnThereIsNoGunnerToCheck) {
    const auto result = play(R"(
end = 100
[[expect]]
gunner_health = 300
gunner_alive = false
)");
    const std::vector<std::string> expected{"FAILED: gunner health 300 / no gunner",
                                            "ok: gunner_alive false / no gunner"};
    EXPECT_EQ(outcomes(result), expected);
}

TEST(ModderChecks, HitsTargetsAndDowningTimesFollowTheFight) {
    const auto& result = twoEnemiesRun(R"(
[[expect]]
targets = ["near", "far"]
hits = { near = 4, far = 4, bystander = 0 }
ped_down_by = { near = 16000, far = 16000 }
[[expect]]
targets = ["far", "near"]
hits = { near = 3 }
ped_down_by = { far = 100, bystander = 16000 }
)");
    const auto lines = outcomes(result);
    ASSERT_EQ(lines.size(), 10u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_TRUE(lines[i].starts_with("ok: ")) << lines[i];
    EXPECT_EQ(lines[6], "FAILED: targets [far, near] / targets [near, far]");
    EXPECT_EQ(lines[7], "FAILED: near took 3 hits / near took 4 hits");
    EXPECT_TRUE(lines[8].starts_with("FAILED: far down by 100 ms / far down at ")) << lines[8];
    EXPECT_EQ(lines[9], "FAILED: bystander down by 16000 ms / bystander not down");
}

TEST(ModderChecks, TheSpawnLineSaysWhatWasSetUp) {
    const auto& result = twoEnemiesRun("");
    std::vector<std::string> setUp;
    for (const auto& line : result.narration) {
        if (line.text.starts_with("gunner set up:")) setUp.push_back(line.text);
    }
    ASSERT_EQ(setUp.size(), 1u);
    EXPECT_EQ(setUp[0],
              "gunner set up: seat 7, health 300, armour 100, WEAPON_MICROSMG with 1000 rounds, in the player's group");
}

TEST(ModderChecks, NewChecksRefuseWhatTheyCannotCheck) {
    const std::string world =
        "end = 100\n[world]\npeds = [{ name = \"biker\", model = \"g_m_y_lost_01\", "
        "position = [0, 0, 0] }]\n[[expect]]\n";
    EXPECT_EQ(parseError(world + "hits = { bikr = 2 }\n"), "bad.toml:5: expect[0].hits.bikr: unknown ped 'bikr'");
    EXPECT_EQ(parseError(world + "hits = {}\n"), "bad.toml:5: expect[0].hits: name at least one ped: { biker = 3 }");
    EXPECT_EQ(parseError(world + "targets = [\"walker\"]\n"), "bad.toml:5: expect[0].targets: unknown ped 'walker'");
    EXPECT_EQ(parseError(world + "gunner_health = -1\n").find("bad.toml:5: expect[0].gunner_health:"), 0u);
    EXPECT_EQ(parseError(world + "gunner_weapon = \"\"\n"),
              "bad.toml:5: expect[0].gunner_weapon: give the weapon's name, as \"WEAPON_MICROSMG\"");
}

TEST(ModderChecks, KeysAreReadInTheSettingsSpellingToo) {
    EXPECT_EQ(scenario::keyCode("PageDown"), 0x22);
    EXPECT_EQ(scenario::keyCode("page_down"), 0x22);
    EXPECT_EQ(scenario::keyCode("NumPad8"), 0x68);
    EXPECT_EQ(scenario::keyCode("MouseLeft"), 0x01);
    EXPECT_EQ(scenario::keyCode("left_mouse"), 0x01);
    EXPECT_EQ(scenario::keyCode("Pause"), 0x13);
    EXPECT_EQ(scenario::keyCode("CTRL"), 0x11);
    EXPECT_FALSE(scenario::keyCode("PageDwn").has_value());
    // The list in errors names the accepted keys the old one left out.
    const std::string known = scenario::keyNameExamples();
    for (const char* name : {"Home", "End", "Insert", "Delete", "Backspace", "MouseMiddle", "middle_mouse", "Multiply",
                             "Add", "PageDown", "page_down"})
        EXPECT_NE(known.find(name), std::string::npos) << name;
}

TEST(ModderChecks, MisspeltNamesGetTheNearestKnownOne) {
    EXPECT_EQ(scenario::nearestName("PageDwn", scenario::namedKeyNames()), "PageDown");
    EXPECT_EQ(scenario::nearestName("midle_mouse", scenario::namedKeyNames()), "middle_mouse");
    EXPECT_EQ(scenario::nearestName("xylophone", scenario::namedKeyNames()), "");
    EXPECT_EQ(parseError("end = 100\ntimeline = [ { at = 1, tap = \"PageDwn\" } ]\n")
                  .find("bad.toml:2: timeline[0].tap: unknown key 'PageDwn'; did you mean 'PageDown'? (known: A-Z"),
              0u);
    EXPECT_EQ(parseError("end = 100\n[world]\npeds = [{ name = \"a\", model = \"g_m_y_lost_1\", position = [0, 0, 0] "
                         "}]\n"),
              "bad.toml:3: world.peds[0].model: model 'g_m_y_lost_1' is not in the game; did you mean "
              "'g_m_y_lost_01'? (a model a player installs goes under [world] addon_models)");
    EXPECT_EQ(parseError("end = 100\n[[expect]]\nwanted_levle = 1\n")
                  .find("bad.toml:3: expect[0].wanted_levle: "
                        "unknown expectation 'wanted_levle'; did "
                        "you mean 'wanted_level'? (known: at, "),
              0u);
    EXPECT_NE(parseError("end = 100\ntimeline = [ { at = 1, enter_vehicel = \"crew\" } ]\n")
                  .find("unknown event 'enter_vehicel'; did you mean 'enter_vehicle'? (known: "),
              std::string::npos);
}

TEST(ModderChecks, RefusedSettingsLinesAreWarnings) {
    const auto result = play(R"(
end = 200
[settings.keys]
menu = "Banana"
fire = "X"
)");
    std::vector<std::string> warnings;
    for (const auto& line : result.narration) {
        if (line.kind == scenario::NarrationKind::Warning) warnings.push_back(line.text);
    }
    ASSERT_EQ(warnings.size(), 2u);
    std::sort(warnings.begin(), warnings.end());
    EXPECT_EQ(warnings[0], "TobekGunner.ini line 2: unknown setting [keys] fire = 'X'; that setting keeps its default");
    EXPECT_EQ(warnings[1],
              "TobekGunner.ini line 3: unknown key name in [keys] menu = 'Banana'; that setting keeps its default");
    // Without a settings file nothing is refused, so nothing is told.
    for (const auto& line : play("end = 200\n").narration) EXPECT_NE(line.kind, scenario::NarrationKind::Warning);
}

}  // namespace

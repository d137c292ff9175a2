// Reading scenarios: what a good file gives, and the one clear error each kind of bad input gets.
#include "scenario/format/parser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "scenario/format/keys.h"
#include "scenario/format/kinds.h"

namespace {

using scenario::parseScenario;
using scenario::ScenarioError;

constexpr const char* goodScenario = R"(# comment
name = "sample"
end = 5000
timeline = [
  { at = 300, tap = "ctrl+i", hold = 40 },
  { at = 100, press = ["numpad2", "Page_Up"] },
  { at = 900, shoot = "thug", target = "crew", damage = 7 },
  { at = 900, enter_vehicle = "crew", seat = 0 },
  { at = 950, move = "thug", velocity = [1, 2, 0] },
  { at = 1000, crew_vehicle = "in_water" },
  { at = 1100, tank_health = -1.5 },
  { at = 1200, gunner = "killed" },
]

[world]
screen = [1920, 1080]
frame_ms = 10
start_tick = 4294967000
player = { position = [1, 2, 3], heading = 90 }
addon_models = [{ name = "ig_tobekdavis", kind = "ped" }]

[world.models]
INSURGENT = 7
VALKYRIE = { in_image = false }
ig_tobekdavis = { frames = 0 }

[[world.peds]]
name = "thug"
model = "ig_tobekdavis"
position = [5, 6, 0]
type = 6
health = 150

[[expect]]
at = 2000
wanted_level = 2
status = "Attack mode: Tobek gone crazy."
ped_down = ["thug"]

[[expect]]
shots = { min = 3 }
target = "none"
)";

TEST(ScenarioParser, ReadsWorldTimelineAndExpectations) {
    const auto s = parseScenario(goodScenario, "good.toml");
    EXPECT_EQ(s.name, "sample");
    EXPECT_EQ(s.endMs, 5000u);
    EXPECT_EQ(s.world.screenWidth, 1920);
    EXPECT_EQ(s.world.frameMs, 10u);
    EXPECT_EQ(s.world.startTick, 4294967000u);
    EXPECT_FLOAT_EQ(s.world.playerHeading, 90.0f);
    EXPECT_FLOAT_EQ(s.world.playerPosition.z, 3.0f);

    // The add-on comes first; the changes name the game's models as its table writes them.
    ASSERT_EQ(s.world.addonModels.size(), 1u);
    EXPECT_EQ(s.world.addonModels[0].name, "ig_tobekdavis");
    EXPECT_FALSE(s.world.addonModels[0].isVehicle);
    ASSERT_EQ(s.world.models.size(), 3u);
    EXPECT_EQ(s.world.models[0].name, "insurgent");
    EXPECT_EQ(s.world.models[0].framesToLoad, 7);
    EXPECT_FALSE(s.world.models[0].inImage.has_value());
    EXPECT_EQ(s.world.models[1].name, "valkyrie");
    EXPECT_EQ(s.world.models[1].inImage, false);
    EXPECT_FALSE(s.world.models[1].framesToLoad.has_value());
    EXPECT_EQ(s.world.models[2].name, "ig_tobekdavis");
    EXPECT_EQ(s.world.models[2].framesToLoad, 0);

    ASSERT_EQ(s.world.peds.size(), 1u);
    EXPECT_EQ(s.world.peds[0].model, "ig_tobekdavis");
    EXPECT_EQ(s.world.peds[0].pedType, 6);
    EXPECT_EQ(s.world.peds[0].health, 150);
    EXPECT_EQ(s.world.peds[0].origin.line, 27);  // its [[world.peds]] header

    // Sorted by time, ties kept in file order.
    ASSERT_EQ(s.timeline.size(), 8u);
    EXPECT_EQ(s.timeline[0].kind->key, "press");
    EXPECT_EQ(s.timeline[0].keys, (std::vector<int>{0x62, 0x21}));
    EXPECT_EQ(s.timeline[1].kind->key, "tap");
    EXPECT_EQ(s.timeline[1].keys, (std::vector<int>{0x11, 0x49}));
    EXPECT_EQ(s.timeline[1].holdMs, 40u);
    EXPECT_EQ(s.timeline[2].kind->key, "shoot");
    EXPECT_EQ(s.timeline[2].object, "crew");
    EXPECT_EQ(s.timeline[2].amount, 7);
    EXPECT_EQ(s.timeline[3].kind->key, "enter_vehicle");
    EXPECT_EQ(s.timeline[3].seat, 0);
    EXPECT_FALSE(s.timeline[4].point.has_value());
    EXPECT_FLOAT_EQ(s.timeline[4].velocity->y, 2.0f);
    EXPECT_EQ(s.timeline[5].kind->key, "crew_vehicle");
    EXPECT_EQ(s.timeline[5].word, "in_water");
    EXPECT_FLOAT_EQ(s.timeline[6].value, -1.5f);
    EXPECT_EQ(s.timeline[7].kind->key, "gunner");
    EXPECT_EQ(s.timeline[7].subject, "gunner");
    EXPECT_EQ(s.timeline[1].origin.line, 5);

    ASSERT_EQ(s.expectations.size(), 2u);
    EXPECT_EQ(*s.expectations[0].atMs, 2000u);
    ASSERT_EQ(s.expectations[0].checks.size(), 3u);
    // In the order written, each with its own line.
    EXPECT_EQ(s.expectations[0].checks[0].kind->key, "wanted_level");
    EXPECT_EQ(s.expectations[0].checks[0].origin.line, 36);
    EXPECT_EQ(s.expectations[0].checks[1].kind->key, "status");
    EXPECT_EQ(s.expectations[0].checks[2].text, "thug");
    EXPECT_FALSE(s.expectations[1].atMs.has_value());
    EXPECT_EQ(s.expectations[1].checks[0].min, 3);
    EXPECT_EQ(s.expectations[1].checks[1].text, "none");
}

// The message of the one error a text gets, or "" when it parses.
std::string errorOf(const std::string& text) {
    try {
        parseScenario(text, "bad.toml");
    } catch (const ScenarioError& error) {
        return error.what();
    }
    return "";
}

TEST(ScenarioParser, EachKindOfBadInputNamesFileLineAndField) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"end = 100\nname = \"x\n", "bad.toml:2: TOML syntax error"},
        {"end = 100\ncolour = 3\n", "bad.toml:2: colour: unknown top-level field 'colour'"},
        {"end = 100\ntimeline = [\n { at = 5, explode = \"thug\" },\n]\n",
         "bad.toml:3: timeline[0].explode: unknown event 'explode' (known: press, release, tap"},
        {"end = 100\ntimeline = [ { at = -5, press = \"e\" } ]\n", "bad.toml:2: timeline[0].at: negative time -5 ms"},
        {"end = 100\n[[world.peds]]\nname = \"a\"\nmodel = \"nobody_01\"\nposition = [0,0,0]\n",
         "bad.toml:4: world.peds[0].model: model 'nobody_01' is not in the game (a model a player installs goes under "
         "[world] addon_models)"},
        {"end = 100\n[[world.vehicles]]\nname = \"a\"\nmodel = \"technical9\"\nposition = [0,0,0]\n",
         "bad.toml:4: world.vehicles[0].model: model 'technical9' is not in the game"},
        {"end = 100\n[world.models]\nig_tobekdavis = 3\n",
         "bad.toml:3: world.models.ig_tobekdavis: model 'ig_tobekdavis' is not in the game"},
        {"end = 100\n[world.models]\nadder = { vehicle = false }\n",
         "bad.toml:3: world.models.adder.vehicle: unknown model field 'vehicle'"},
        {"end = 100\n[world]\naddon_models = [{ name = \"Adder\", kind = \"vehicle\" }]\n",
         "bad.toml:3: world.addon_models[0].name: 'Adder' ships with the game"},
        {"end = 100\n[world]\naddon_models = [{ name = \"x\", kind = \"plane\" }]\n",
         "bad.toml:3: world.addon_models[0].kind: expected \"ped\" or \"vehicle\", not 'plane'"},
        {"end = 100\n[world]\naddon_models = [{ name = \"x\", kind = \"ped\" }, { name = \"X\", kind = \"ped\" }]\n",
         "bad.toml:3: world.addon_models[1].name: 'X' is declared twice"},
        {"end = 100\n[world]\naddon_models = [{ name = \"x\", kind = \"ped\" }]\n[[world.vehicles]]\nname = \"a\"\n"
         "model = \"x\"\nposition = [0,0,0]\n",
         "bad.toml:6: world.vehicles[0].model: model 'x' is not a vehicle model"},
        {"end = 100\ntimeline = [ { at = 5, focus = \"no\" } ]\n", "bad.toml:2: timeline[0].focus: expected"},
        {"end = 100\n[[world.peds]]\nname = \"a\"\nmodel = \"INSURGENT\"\nposition = [0,0,0]\n",
         "bad.toml:4: world.peds[0].model: model 'INSURGENT' is a vehicle model"},
        {"end = 100\ntimeline = [ { at = 5, hide = \"ghost\" } ]\n",
         "bad.toml:2: timeline[0].hide: unknown name 'ghost'"},
        {"end = 100\ntimeline = [ { at = 5, press = \"ctrl+hyper\" } ]\n",
         "bad.toml:2: timeline[0].press: unknown key 'hyper'"},
        {"end = 100\ntimeline = [ { at = 5, press = \"e\", tap = \"e\" } ]\n", "one event per entry"},
        {"end = 100\ntimeline = [ { at = 5, press = \"e\", hold = 3 } ]\n",
         "bad.toml:2: timeline[0].hold: unknown field 'hold' for a 'press' event (it takes none)"},
        {"end = 100\ntimeline = [ { at = 500, press = \"e\" } ]\n",
         "bad.toml:2: timeline[0].at: event at 500 ms is after the end"},
        {"end = 100\n[[expect]]\nat = 50\n", "bad.toml:2: expect[0]: an expectation needs at least one check"},
        {"end = 100\n[[expect]]\nwanted_level = 7\n",
         "bad.toml:3: expect[0].wanted_level: must be between 0 and 6, not 7"},
        {"end = 100\n[[expect]]\nattack = 1\n", "bad.toml:3: expect[0].attack: unknown expectation 'attack'"},
        {"name = \"no end\"\n", "bad.toml:1: end: missing"},
        {"end = 100\n[world]\nframe_ms = 16\ntimeline = []\n",
         "world.timeline: unknown world field 'timeline' (known: screen, frame_ms, start_tick, camera, player, "
         "addon_models, models, peds, vehicles); a top-level key written after a [table] header belongs to that table"},
    };
    for (const auto& c : cases) {
        const std::string message = errorOf(c.text);
        EXPECT_NE(message.find(c.message), std::string::npos) << "input:\n" << c.text << "\nmessage: " << message;
    }
}

TEST(ScenarioParser, FocusEventsSayWhetherTheGameHasTheFocus) {
    const auto s =
        parseScenario("end = 100\ntimeline = [ { at = 9, focus = true }, { at = 5, focus = false } ]\n", "f.toml");
    ASSERT_EQ(s.timeline.size(), 2u);
    EXPECT_EQ(s.timeline[0].kind->key, "focus");
    EXPECT_FALSE(s.timeline[0].flag);
    EXPECT_EQ(s.timeline[1].kind->key, "focus");
    EXPECT_TRUE(s.timeline[1].flag);
}

TEST(ScenarioParser, ReferencesAreCheckedAgainstWhatTheEventCanActOn) {
    // A vehicle can vanish, but not shoot; a ped cannot be entered.
    const char* world =
        "end = 100\n[[world.vehicles]]\nname = \"car\"\nmodel = \"sultan\"\nposition = [0,0,0]\n"
        "[[world.peds]]\nname = \"cop\"\nmodel = \"s_m_y_cop_01\"\nposition = [1,0,0]\n";
    auto with = [&](const std::string& event) { return "timeline = [ " + event + " ]\n" + world; };
    EXPECT_EQ(errorOf(with("{ at = 5, vanish = \"car\" }")), "");
    EXPECT_EQ(errorOf(with("{ at = 5, enter_vehicle = \"car\" }")), "");
    EXPECT_NE(errorOf(with("{ at = 5, shoot = \"car\", target = \"player\" }")).find("unknown name 'car'"),
              std::string::npos);
    EXPECT_NE(errorOf(with("{ at = 5, enter_vehicle = \"cop\" }")).find("unknown name 'cop'"), std::string::npos);
    EXPECT_NE(errorOf(with("{ at = 5, shoot = \"cop\" }")).find("target: missing"), std::string::npos);
    EXPECT_NE(errorOf(with("{ at = 5, gunner = \"sleeps\" }")).find("unknown gunner event 'sleeps'"),
              std::string::npos);
    EXPECT_NE(errorOf(with("{ at = 5, leave_vehicle = false }")).find("leave_vehicle = true"), std::string::npos);
    // Names are unique and the reserved ones are taken.
    EXPECT_NE(errorOf("end = 1\n[[world.peds]]\nname = \"gunner\"\nmodel = \"s_m_y_cop_01\"\nposition = [0,0,0]\n")
                  .find("'gunner' is reserved"),
              std::string::npos);
}

TEST(ScenarioKeys, FriendlyNamesMapToVirtualKeys) {
    EXPECT_EQ(scenario::keyCode("ctrl"), 0x11);
    EXPECT_EQ(scenario::keyCode("Control"), 0x11);
    EXPECT_EQ(scenario::keyCode("i"), 0x49);
    EXPECT_EQ(scenario::keyCode("E"), 0x45);
    EXPECT_EQ(scenario::keyCode("numpad2"), 0x62);
    EXPECT_EQ(scenario::keyCode("numpad8"), 0x68);
    EXPECT_EQ(scenario::keyCode("enter"), 0x0D);
    EXPECT_EQ(scenario::keyCode("page_up"), 0x21);
    EXPECT_EQ(scenario::keyCode("page_down"), 0x22);
    EXPECT_EQ(scenario::keyCode("left_mouse"), 0x01);
    EXPECT_EQ(scenario::keyCode("right_mouse"), 0x02);
    EXPECT_EQ(scenario::keyCode("f12"), 0x7B);
    EXPECT_EQ(scenario::keyCode("7"), 0x37);
    EXPECT_FALSE(scenario::keyCode("numpad10"));
    EXPECT_FALSE(scenario::keyCode("f25"));
    EXPECT_FALSE(scenario::keyCode(""));
    EXPECT_EQ(scenario::keyName(0x11), "ctrl");
    EXPECT_EQ(scenario::keyName(0x0D), "enter");
    EXPECT_EQ(scenario::keyName(0x65), "numpad5");
    EXPECT_EQ(scenario::splitCombination("ctrl + i"), (std::vector<std::string>{"ctrl", "i"}));
}

}  // namespace

namespace {

// The benchmark's hour of combat is read like any scenario; it must stay valid.
TEST(ScenarioParser, TheBenchmarkScenarioReads) {
    // The source folder comes from the build: with a compiler cache __FILE__ may be relative.
    const auto path = std::filesystem::path(TG_SOURCE_DIR) / "benchmarks" / "one_hour_combat.toml";
    const auto s = scenario::loadScenario(path.string());
    EXPECT_EQ(s.endMs, 3600000u);
    EXPECT_EQ(s.world.peds.size(), 24u);
    EXPECT_EQ(s.expectations.size(), 2u);
}

}  // namespace

namespace {

TEST(ScenarioParser, SettingsComeFromATableOrAFileBesideTheScenario) {
    const auto table = parseScenario(
        "end = 100\n[settings.keys]\nmenu = \"F5\"\n[settings.gunner]\nmodel = \"s_m_y_cop_01\"\n"
        "[[expect]]\nlog_contains = \"menu = F5\"\n",
        "table.toml");
    ASSERT_TRUE(table.settingsText);
    EXPECT_EQ(*table.settingsText, "[gunner]\nmodel = s_m_y_cop_01\n[keys]\nmenu = F5\n");
    ASSERT_EQ(table.expectations.size(), 1u);
    EXPECT_EQ(table.expectations[0].checks[0].kind->key, "log_contains");
    EXPECT_EQ(table.expectations[0].checks[0].text, "menu = F5");

    EXPECT_FALSE(parseScenario("end = 100\n", "none.toml").settingsText);

    const auto folder = std::filesystem::temp_directory_path() / "tobek-gunner-parser-settings";
    std::filesystem::create_directories(folder);
    const std::string bytes("[keys]\nmenu = \x01\xff\n\0rest", 22);
    std::ofstream(folder / "odd.ini", std::ios::binary) << bytes;
    const auto file = parseScenario("end = 100\nsettings_file = \"odd.ini\"\n", (folder / "s.toml").string());
    ASSERT_TRUE(file.settingsText);
    EXPECT_EQ(*file.settingsText, bytes);
    std::filesystem::remove_all(folder);
}

TEST(ScenarioParser, BadSettingsAreNamedWithTheirField) {
    EXPECT_NE(errorOf("end = 100\nsettings_file = \"no-such.ini\"\n").find("settings_file: cannot open"),
              std::string::npos);
    EXPECT_NE(errorOf("end = 100\n[settings]\nkeys = 3\n").find("settings.keys"), std::string::npos);
    EXPECT_NE(errorOf("end = 100\n[settings.keys]\nmenu = 5\n").find("settings.keys.menu"), std::string::npos);
    EXPECT_NE(errorOf("end = 100\nsettings_file = \"a.ini\"\n[settings.keys]\nmenu = \"F5\"\n").find("not both"),
              std::string::npos);
    EXPECT_NE(errorOf("end = 100\n[[expect]]\nlog_contains = \"\"\n").find("expect[0].log_contains"),
              std::string::npos);
}

}  // namespace

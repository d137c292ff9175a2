// The player's and the modder's documents quote the script's captions, messages, defaults and
// set-up; each quote is checked here against the script itself, so a change to the script that
// the documents do not follow fails a test.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "runtime/key_names.h"
#include "runtime/key_table.h"
#include "runtime/settings.h"
#include "scenario/format/keys.h"
#include "scenario/format/parser.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"
#include "ui/vocabulary.h"

namespace {

std::string readSource(const std::string& relative) {
    std::ifstream in(std::string(TG_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << relative << " is missing";
    return text.str();
}

const std::string& readme() {
    static const std::string text = readSource("README.md");
    return text;
}
const std::string& playerReadme() {
    static const std::string text = readSource("packaging/README.txt.in");
    return text;
}
const std::string& scenarioDocs() {
    static const std::string text = readSource("docs/scenarios.md");
    return text;
}

// Every match of `pattern`'s first group in `text`.
std::vector<std::string> quotes(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

std::string menuLine() {
    std::string line;
    for (const auto& vehicle : menuVehicles) line += std::string(vehicle.caption) + ", ";
    return line + closeMenuCaption;
}

TEST(DocsQuotes, MenuAndStatusMessagesAreTheScripts) {
    for (const std::string* doc : {&readme(), &playerReadme()}) {
        EXPECT_NE(doc->find(menuLine()), std::string::npos) << "the menu's lines: " << menuLine();
        EXPECT_NE(doc->find(std::string("\"Insurgent") + vehicleCreatedSuffix + "\""), std::string::npos);
        EXPECT_NE(doc->find(std::string("\"") + spawnFailedMessage + "\""), std::string::npos);
    }
    // The README quotes each attack mode's message whole; the player's README without the prefix.
    for (std::size_t mode = 0; mode < attackModeMessages.size(); ++mode) {
        const std::string message = attackModeMessages[mode];
        EXPECT_NE(readme().find("\"" + message + "\""), std::string::npos) << message;
        const std::string bare = message.substr(message.find(": ") + 2, message.size() - message.find(": ") - 3);
        EXPECT_NE(playerReadme().find(std::to_string(mode) + "  \"" + bare + "\""), std::string::npos) << bare;
    }
}

TEST(DocsQuotes, EveryQuotedAttackModeOrSpawnMessageExists) {
    for (const std::string* doc : {&readme(), &scenarioDocs()}) {
        for (const auto& quoted : quotes(*doc, "\"(Attack mode: [^\"]*)\"")) {
            if (quoted == "Attack mode: ...") continue;  // the docs' placeholder for any of them
            EXPECT_NE(std::find(attackModeMessages.begin(), attackModeMessages.end(), quoted), attackModeMessages.end())
                << "quoted but never shown: \"" << quoted << "\"";
        }
        for (const auto& caption : quotes(*doc, "\"(\\w+) vehicle created\\.\"")) {
            EXPECT_TRUE(std::any_of(menuVehicles.begin(), menuVehicles.end(),
                                    [&](const MenuVehicle& v) { return caption == v.caption; }))
                << caption << " is no vehicle of the menu";
        }
    }
}

// The README's settings table, row by row, against the script's defaults.
TEST(DocsQuotes, SettingsDefaultsAreTheScripts) {
    const Settings defaults;
    const std::vector<std::pair<std::string, std::string>> expected{
        {"menu", describeKeyBinding(defaults.menuKeys)},
        {"attack_mode", describeKeyBinding(defaults.attackModeKeys)},
        {"up", describeKeyBinding(defaults.upKeys)},
        {"down", describeKeyBinding(defaults.downKeys)},
        {"choose", describeKeyBinding(defaults.chooseKeys)},
        {"model", defaults.gunnerModel},
    };
    const std::string ini = readSource("packaging/TobekGunner.ini");
    for (const auto& [setting, value] : expected) {
        const auto rows = quotes(readme(), "\\| `\\[\\w+\\]` \\| `" + setting + "` \\| `([^`]*)` \\|");
        ASSERT_EQ(rows.size(), 1u) << "one README row for " << setting;
        EXPECT_EQ(rows[0], value) << "README's default of " << setting;
        EXPECT_NE(ini.find("\n" + setting + " = " + value + "\n"), std::string::npos)
            << "TobekGunner.ini's line for " << setting;
    }
    EXPECT_NE(playerReadme().find("\"" + defaults.gunnerModel + "\""), std::string::npos);
}

// Every key name the table knows is listed where players and modders look them up, and every
// name listed there is read as a key.
TEST(DocsQuotes, KeyNameListsMatchTheKeyTable) {
    const std::string players = readme().substr(readme().find("Keys are written as players name them"), 700);
    const std::string modders = scenarioDocs().substr(scenarioDocs().find("Key names:"), 900);
    const std::string listed = modders.substr(modders.find("`A`"), modders.find("(case") - modders.find("`A`"));
    for (const auto& named : namedKeys) {
        EXPECT_NE(players.find("`" + std::string(named.name) + "`"), std::string::npos) << named.name;
        EXPECT_NE(modders.find("`" + std::string(named.name) + "`"), std::string::npos) << named.name;
    }
    for (const auto& name : quotes(players.substr(0, players.find(" in any case")), "`([^`]+)`"))
        EXPECT_TRUE(parseKeyChord(name).has_value()) << "README lists '" << name << "'";
    for (const auto& name : quotes(listed, "`([^`]+)`"))
        EXPECT_TRUE(scenario::keyCode(name).has_value()) << "docs/scenarios.md lists '" << name << "'";
}

scenario::RunResult playBundled(const std::string& name) {
    const scenario::Scenario s = scenario::loadScenario(std::string(TG_SOURCE_DIR) + "/scenarios/" + name);
    return scenario::runScenario(s, sim::linkedScript(), scenario::RunOptions{});
}

// The gunner's health and armour, as a spawn really sets them up, are the ones both READMEs give.
TEST(DocsQuotes, GunnerSetUpIsTheSpawns) {
    const scenario::RunResult result = playBundled("demo.toml");
    std::smatch found;
    std::string setUp;
    for (const auto& line : result.narration) {
        if (line.text.starts_with("gunner set up:")) setUp = line.text;
    }
    ASSERT_TRUE(std::regex_search(setUp, found, std::regex("health (\\d+), armour (\\d+)"))) << setUp;
    const std::string quoted = "health " + found[1].str() + ", armour " + found[2].str();
    EXPECT_NE(readme().find("(" + quoted + ")"), std::string::npos) << quoted;
    EXPECT_NE(playerReadme().find("(" + quoted + ")"), std::string::npos) << quoted;
}

// docs/scenarios.md shows the demo's quiet result line and its summary's count.
TEST(DocsQuotes, DemoCountsInTheScenarioDocsAreTheDemos) {
    const scenario::RunResult result = playBundled("demo.toml");
    ASSERT_TRUE(result.passed());
    const std::string count = std::to_string(result.checks.size());
    EXPECT_NE(scenarioDocs().find("demo.toml: PASSED, " + count + " of " + count + " expectations met"),
              std::string::npos);
    EXPECT_NE(scenarioDocs().find("expectations       " + count + " of " + count + " met"), std::string::npos);
}

}  // namespace

// The narration reads the script's screen with the script's own words: the real script is driven
// through the menu, each vehicle and the attack modes, and every caption the narration names is
// checked against what the script drew in that frame and against the script's own state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scenario/format/parser.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"
#include "support/inline_scenario.h"
#include "ui/vocabulary.h"

namespace {

// Each vehicle in turn, the player getting in and stepping the attack modes, then Close menu.
constexpr const char* everyChoice = R"(
end = 26000
timeline = [
  { at = 500, tap = "ctrl+i" },
  { at = 1000, tap = "enter" },
  { at = 5000, enter_vehicle = "crew" },
  { at = 5500, tap = "e" },
  { at = 6500, tap = "e" },
  { at = 7500, tap = "e" },
  { at = 8000, leave_vehicle = true },
  { at = 8500, tap = "ctrl+i" },
  { at = 9000, tap = "numpad2" },
  { at = 9500, tap = "enter" },
  { at = 13500, enter_vehicle = "crew" },
  { at = 14000, tap = "e" },
  { at = 15000, leave_vehicle = true },
  { at = 15500, tap = "ctrl+i" },
  { at = 16000, tap = "numpad2" },
  { at = 16500, tap = "enter" },
  { at = 20500, enter_vehicle = "crew" },
  { at = 21000, tap = "e" },
  { at = 22000, tap = "e" },
  { at = 23000, leave_vehicle = true },
  { at = 23500, tap = "ctrl+i" },
  { at = 24000, tap = "numpad2" },
  { at = 24500, tap = "enter" },
]
)";

// Counts each frame the narrated mode disagrees with the script's, and keeps the screen of each
// narrated on-screen event.
scenario::RunResult play(const std::string& text) { return test::playInline(text, true, true); }

// The run, played once for the tests that read it.
const scenario::RunResult& everyChoiceRun() {
    static const scenario::RunResult result = play(everyChoice);
    return result;
}

// A status message is narrated as the quoted caption.
bool isMessage(const scenario::NarrationLine& line) { return line.text.starts_with("\""); }

const sim::ScreenFrame* screenOf(const scenario::RunResult& result, const std::string& why) {
    for (const auto& shot : result.screens) {
        if (shot.why == why) return &shot.screen;
    }
    return nullptr;
}

std::string afterPrefix(const std::string& text, const std::string& prefix) {
    return text.starts_with(prefix) ? text.substr(prefix.size()) : std::string();
}

std::string highlightNamedIn(const std::string& line) {
    const std::string opened = afterPrefix(line, "vehicle menu opened, highlight on ");
    if (!opened.empty()) return opened.substr(0, opened.find(" (the last choice)"));
    return afterPrefix(line, "highlight moved to ");
}

bool sameColour(const sim::Rgba& a, const sim::Rgba& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// The one menu line drawn in a colour none of the other lines has.
std::string lineDrawnApart(const std::vector<sim::DrawnText>& lines) {
    std::string apart;
    for (const auto& line : lines) {
        int sharing = 0;
        for (const auto& other : lines) sharing += sameColour(line.style.colour, other.style.colour) ? 1 : 0;
        if (sharing == 1) apart += line.caption;
    }
    return apart;
}

std::vector<std::string> captionsOf(const std::vector<sim::DrawnText>& texts) {
    std::vector<std::string> captions;
    for (const auto& text : texts) captions.push_back(text.caption);
    return captions;
}

TEST(ScriptVocabulary, TheNarrationNamesTheMenuLinesTheScriptDrew) {
    const scenario::RunResult& result = everyChoiceRun();
    ASSERT_TRUE(result.hostErrors.empty());

    std::vector<std::string> menuCaptions = {menuTitle};
    for (const MenuVehicle& vehicle : menuVehicles) menuCaptions.push_back(vehicle.caption);
    menuCaptions.push_back(closeMenuCaption);

    int opened = 0;
    int moves = 0;
    for (const auto& line : result.narration) {
        const std::string highlight = highlightNamedIn(line.text);
        if (highlight.empty()) continue;
        (line.text.starts_with("vehicle menu opened") ? opened : moves) += 1;
        const sim::ScreenFrame* screen = screenOf(result, line.text);
        ASSERT_NE(screen, nullptr) << line.text;
        // A status message may be drawn before the menu: the menu starts at its title.
        const auto title = std::find_if(screen->texts.begin(), screen->texts.end(),
                                        [](const sim::DrawnText& text) { return text.caption == menuTitle; });
        ASSERT_GE(screen->texts.end() - title, static_cast<std::ptrdiff_t>(menuCaptions.size())) << line.text;
        const std::vector<sim::DrawnText> menu(title, title + static_cast<std::ptrdiff_t>(menuCaptions.size()));
        EXPECT_EQ(captionsOf(menu), menuCaptions) << line.text;
        // The title is apart by its size; the highlighted line is the item drawn in its own colour.
        const std::vector<sim::DrawnText> items(menu.begin() + 1, menu.end());
        EXPECT_EQ(lineDrawnApart(items), highlight) << line.text;
    }
    EXPECT_EQ(opened, 4);
    EXPECT_EQ(moves, 3);
}

TEST(ScriptVocabulary, EachSpawnIsNamedAsTheMenuAndTheStatusLineNameIt) {
    const scenario::RunResult& result = everyChoiceRun();

    const std::string chosenSuffix = " chosen: spawning the crew";
    std::vector<std::string> chosen;
    std::string highlight;
    std::optional<std::string> awaitedMessage;
    for (const auto& line : result.narration) {
        if (const std::string named = highlightNamedIn(line.text); !named.empty()) highlight = named;
        if (line.text.ends_with(chosenSuffix)) {
            const std::string vehicle = line.text.substr(0, line.text.size() - chosenSuffix.size());
            EXPECT_EQ(vehicle, highlight) << "the spawn names another vehicle than the menu's highlight";
            chosen.push_back(vehicle);
            awaitedMessage = vehicle + vehicleCreatedSuffix;
        }
        if (isMessage(line) && awaitedMessage) {
            EXPECT_EQ(line.text, "\"" + *awaitedMessage + "\"");
            // The narrated message is the status line the script drew in that frame.
            const sim::ScreenFrame* screen = screenOf(result, line.text);
            ASSERT_NE(screen, nullptr) << line.text;
            ASSERT_FALSE(screen->texts.empty());
            EXPECT_EQ(screen->texts.back().caption, *awaitedMessage);
            EXPECT_TRUE(screen->texts.back().style.centre);
            awaitedMessage.reset();
        }
    }
    EXPECT_FALSE(awaitedMessage) << "no status message followed the spawn of " << chosen.back();
    std::vector<std::string> expected;
    for (const MenuVehicle& vehicle : menuVehicles) expected.push_back(vehicle.caption);
    EXPECT_EQ(chosen, expected);

    ASSERT_EQ(result.crews.size(), menuVehicles.size());
    for (std::size_t i = 0; i < menuVehicles.size(); ++i) {
        EXPECT_EQ(result.crews[i].vehicle, menuVehicles[i].caption);
        EXPECT_EQ(result.crews[i].model, menuVehicles[i].modelName);
    }
}

TEST(ScriptVocabulary, EachAttackModeMessageIsNarratedAsTheModeTheScriptHolds) {
    const scenario::RunResult& result = everyChoiceRun();

    // Technical 0 -> 1 -> 2 -> 0, Insurgent 0 -> 1, Valkyrie 1 -> 2 -> 1.
    const std::vector<std::int32_t> expectedModes = {1, 2, 0, 1, 2, 1};
    std::vector<std::int32_t> narratedModes;
    std::string lastMessage;
    for (const auto& line : result.narration) {
        if (isMessage(line)) lastMessage = line.text;
        if (!line.text.starts_with("attack mode ")) continue;
        const std::string arrow = " -> ";
        const std::size_t at = line.text.find(arrow);
        ASSERT_NE(at, std::string::npos) << line.text;
        const std::int32_t mode = std::stoi(line.text.substr(at + arrow.size()));
        narratedModes.push_back(mode);
        ASSERT_GE(mode, 0);
        ASSERT_LT(static_cast<std::size_t>(mode), attackModeMessages.size());
        EXPECT_EQ(lastMessage, std::string("\"") + attackModeMessages[static_cast<std::size_t>(mode)] + "\"");
    }
    EXPECT_EQ(narratedModes, expectedModes);
    // Every frame, the mode the narration derived is the one in the script's state record.
    EXPECT_EQ(result.derivationMismatches, 0u) << (result.mismatchNotes.empty() ? "" : result.mismatchNotes[0]);
    EXPECT_EQ(result.attackMode, 1);
}

TEST(ScriptVocabulary, AFailedSpawnIsNarratedWithTheScriptsFailureMessage) {
    const scenario::RunResult result = play(R"(
end = 5000
timeline = [
  { at = 500, tap = "ctrl+i" },
  { at = 1000, tap = "numpad2" },
  { at = 1500, tap = "enter" },
]
[world.models]
INSURGENT = { in_image = false }
)");
    std::vector<std::string> messages;
    for (const auto& line : result.narration) {
        if (isMessage(line)) messages.push_back(line.text);
    }
    EXPECT_EQ(messages, std::vector<std::string>{std::string("\"") + spawnFailedMessage + "\""});
    const sim::ScreenFrame* screen = screenOf(result, messages.empty() ? "" : messages[0]);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->texts.back().caption, spawnFailedMessage);
    EXPECT_TRUE(result.crews.empty());
}

}  // namespace

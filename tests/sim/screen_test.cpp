// The simulated screen: the text layout model, the text and box natives, and the frame record.
#include "world/screen.h"
#include "host/sim_host.h"
#include "runtime/natives.h"
#include "scenario/format/parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Current game builds report 1280 x 720 whatever the display; a scenario may still set a size.
TEST(ScreenResolution, TheWorldAnswersLikeTheGameUnlessAScenarioSetsASize) {
    sim::SimHost host;
    std::int32_t width = 0;
    std::int32_t height = 0;
    getScreenResolution(&width, &height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);

    const auto plain = scenario::parseScenario("end = 100\n", "plain.toml");
    EXPECT_EQ(plain.world.screenWidth, 1280);
    EXPECT_EQ(plain.world.screenHeight, 720);
    const auto sized = scenario::parseScenario("end = 100\n[world]\nscreen = [800, 600]\n", "sized.toml");
    EXPECT_EQ(sized.world.screenWidth, 800);
    EXPECT_EQ(sized.world.screenHeight, 600);
}

sim::TextStyle styleOf(float scale, bool centre) {
    sim::TextStyle style;
    style.scale = scale;
    style.centre = centre;
    return style;
}

std::string repeated(const std::string& word, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += (i > 0 ? " " : "") + word;
    return text;
}

TEST(TextLayout, LeftAlignedTextWrapsAtTheRightEdgeBetweenWords) {
    // Scale 0.35 at 800 x 600: 6.3 pixels a character; from x = 0.5 there are 400 pixels, 63 characters.
    const std::string ten(10, 'a');
    const Lines lines = sim::layoutText(repeated(ten, 10), 0.5f, styleOf(0.35f, false), 800, 600);
    EXPECT_EQ(lines, (Lines{repeated(ten, 5), repeated(ten, 5)}));
    EXPECT_EQ(sim::layoutText(repeated(ten, 10), 0.0f, styleOf(0.35f, false), 800, 600).size(), 1u);
}

TEST(TextLayout, CentredTextWrapsAroundItsCentreUpToTheNearerEdge) {
    const std::string ten(10, 'a');
    const std::string text = repeated(ten, 10);  // 109 characters, 686.7 pixels
    EXPECT_EQ(sim::layoutText(text, 0.5f, styleOf(0.35f, true), 800, 600).size(), 1u);
    // Centred on x = 0.25 (or 0.75) it has 2 × 200 pixels: 63 characters a line.
    EXPECT_EQ(sim::layoutText(text, 0.25f, styleOf(0.35f, true), 800, 600),
              (Lines{repeated(ten, 5), repeated(ten, 5)}));
    EXPECT_EQ(sim::layoutText(text, 0.75f, styleOf(0.35f, true), 800, 600).size(), 2u);
}

TEST(TextLayout, AWordLongerThanALineBreaksBetweenCharacters) {
    // Scale 0.40 at 800 x 600: 7.2 pixels a character, 111 across the whole screen.
    const Lines lines = sim::layoutText(std::string(150, 'w') + " end", 0.0f, styleOf(0.40f, false), 800, 600);
    EXPECT_EQ(lines, (Lines{std::string(111, 'w'), std::string(39, 'w') + " end"}));
}

TEST(TextLayout, EdgeCasesOfTheModel) {
    EXPECT_TRUE(sim::layoutText("", 0.1f, styleOf(0.35f, false), 800, 600).empty());
    EXPECT_EQ(sim::layoutText("abc", 1.0f, styleOf(0.35f, false), 800, 600), (Lines{"a", "b", "c"}));
    EXPECT_EQ(sim::layoutText(std::string(500, 'x'), 0.9f, styleOf(0.0f, false), 800, 600).size(), 1u);
    // Characters are code points: 63 two-byte letters still fit one line of 63.
    std::string accented;
    for (int i = 0; i < 63; ++i) accented += "\xC3\xA9";
    EXPECT_EQ(sim::characterCount(accented), 63u);
    EXPECT_EQ(sim::layoutText(accented, 0.5f, styleOf(0.35f, false), 800, 600).size(), 1u);
    EXPECT_EQ(sim::layoutText(accented + "e", 0.5f, styleOf(0.35f, false), 800, 600).size(), 2u);
}

TEST(TextLayout, LineHeightAndAdvanceFollowTheScale) {
    sim::Screen screen;
    EXPECT_FLOAT_EQ(screen.characterHeight(0.5f), 0.03f);
    EXPECT_FLOAT_EQ(screen.characterHeight(0.35f) / screen.characterHeight(0.7f), 0.5f);
    EXPECT_FLOAT_EQ(sim::glyphAdvancePixels(0.40f, 600), 7.2f);
    EXPECT_FLOAT_EQ(sim::glyphAdvancePixels(0.40f, 1200), 14.4f);
}

// Text and box natives called through the script's wrappers against a bare host.
class ScreenNatives : public ::testing::Test {
protected:
    ScreenNatives() {
        host.world().screen.width = 800;
        host.world().screen.height = 600;
        host.runFrames(1);
    }
    sim::Screen& screen() { return host.world().screen; }

    sim::SimHost host;
};

TEST_F(ScreenNatives, ADisplayTextCommandDrawsTheCaptionWithTheStyleSetBeforeIt) {
    setTextFont(4);
    setTextScale(0.0f, 0.7f);
    setTextColour(1, 2, 3, 4);
    setTextCentre(true);
    setTextDropshadow(2, 5, 6, 7, 8);
    setTextEdge(1, 9, 10, 11, 12);
    beginTextCommandDisplayText("STRING");
    addTextComponentSubstringPlayerName("Tobek ");
    addTextComponentSubstringPlayerName("gunner");
    endTextCommandDisplayText(0.25f, 0.75f);

    ASSERT_EQ(screen().current.texts.size(), 1u);
    const sim::DrawnText& text = screen().current.texts[0];
    EXPECT_EQ(text.caption, "Tobek gunner");
    EXPECT_EQ(text.entry, "STRING");
    EXPECT_EQ(text.x, 0.25f);
    EXPECT_EQ(text.y, 0.75f);
    EXPECT_EQ(text.style.font, 4);
    EXPECT_EQ(text.style.scale, 0.7f);
    EXPECT_EQ(text.style.colour.r, 1);
    EXPECT_EQ(text.style.colour.a, 4);
    EXPECT_TRUE(text.style.centre);
    EXPECT_EQ(text.style.dropShadowDistance, 2);
    EXPECT_EQ(text.style.dropShadow.b, 7);
    EXPECT_EQ(text.style.edge, 1);
    EXPECT_EQ(text.style.edgeColour.a, 12);
    EXPECT_TRUE(host.errors().empty());
}

TEST_F(ScreenNatives, EveryTextCommandConsumesTheStyle) {
    setTextScale(0.0f, 0.7f);
    setTextCentre(true);
    beginTextCommandGetNumberOfLinesForString("STRING");
    addTextComponentSubstringPlayerName("measured");
    EXPECT_EQ(endTextCommandGetNumberOfLinesForString(0.5f, 0.5f), 1);
    EXPECT_TRUE(screen().current.texts.empty());  // measuring draws nothing

    beginTextCommandDisplayText("STRING");
    addTextComponentSubstringPlayerName("plain");
    endTextCommandDisplayText(0.1f, 0.1f);
    const sim::TextStyle& style = screen().current.texts.at(0).style;
    EXPECT_EQ(style.scale, sim::TextStyle{}.scale);
    EXPECT_FALSE(style.centre);
    EXPECT_TRUE(host.errors().empty());
}

TEST_F(ScreenNatives, TheLineCountAndCharacterHeightAnswerFromTheModel) {
    const std::string text = repeated(std::string(10, 'a'), 10);
    auto count = [&](float x, bool centre) {
        setTextScale(0.0f, 0.35f);
        setTextCentre(centre);
        beginTextCommandGetNumberOfLinesForString("STRING");
        addTextComponentSubstringPlayerName(text.c_str());
        return endTextCommandGetNumberOfLinesForString(x, 0.9f);
    };
    EXPECT_EQ(count(0.5f, false), 2);
    EXPECT_EQ(count(0.5f, true), 1);
    EXPECT_EQ(count(0.25f, true), 2);
    EXPECT_FLOAT_EQ(getRenderedCharacterHeight(0.4f, 0), 0.024f);
}

TEST_F(ScreenNatives, DrawRectKeepsItsBox) {
    drawRect(0.5f, 0.9f, 1.0f, 0.05f, 15, 16, 17, 150);
    ASSERT_EQ(screen().current.rects.size(), 1u);
    const sim::DrawnRect& rect = screen().current.rects[0];
    EXPECT_EQ(rect.centreX, 0.5f);
    EXPECT_EQ(rect.centreY, 0.9f);
    EXPECT_EQ(rect.width, 1.0f);
    EXPECT_EQ(rect.height, 0.05f);
    EXPECT_EQ(rect.colour.r, 15);
    EXPECT_EQ(rect.colour.b, 17);
    EXPECT_EQ(rect.colour.a, 150);
}

TEST_F(ScreenNatives, TextCommandsOutOfOrderAreReported) {
    addTextComponentSubstringPlayerName("stray");
    ASSERT_EQ(host.errors().size(), 1u);
    EXPECT_NE(host.errors()[0].find("outside a text command"), std::string::npos);

    endTextCommandDisplayText(0.1f, 0.1f);
    ASSERT_EQ(host.errors().size(), 2u);
    EXPECT_TRUE(screen().current.texts.empty());

    beginTextCommandDisplayText("STRING");
    beginTextCommandGetNumberOfLinesForString("STRING");
    ASSERT_EQ(host.errors().size(), 3u);
    EXPECT_NE(host.errors()[2].find("while a display-text command was open"), std::string::npos);

    endTextCommandDisplayText(0.1f, 0.1f);  // the line-count command is the open one
    EXPECT_EQ(host.errors().size(), 4u);
    EXPECT_TRUE(screen().current.texts.empty());
}

TEST_F(ScreenNatives, FramesAreKeptForLaterQuestions) {
    screen().keepHistory = true;
    const std::uint64_t first = host.frame();
    for (int i = 0; i < 3; ++i) {
        drawRect(0.1f * static_cast<float>(i + 1), 0.5f, 0.1f, 0.1f, 0, 0, 0, 255);
        host.runFrames(1);
    }
    for (int i = 0; i < 3; ++i) {
        const sim::ScreenFrame* frame = screen().frameNumbered(first + static_cast<std::uint64_t>(i));
        ASSERT_NE(frame, nullptr);
        ASSERT_EQ(frame->rects.size(), 1u);
        EXPECT_FLOAT_EQ(frame->rects[0].centreX, 0.1f * static_cast<float>(i + 1));
    }
    EXPECT_EQ(screen().frameNumbered(host.frame()), &screen().current);
    EXPECT_TRUE(screen().current.rects.empty());

    screen().keepHistory = false;
    screen().history.clear();
    host.runFrames(3);
    EXPECT_EQ(screen().frameNumbered(first), nullptr);
    EXPECT_NE(screen().frameNumbered(host.frame() - 1), nullptr);
}

}  // namespace

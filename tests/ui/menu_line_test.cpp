// drawMenuLine: native order and values, the single-precision positions, styles and the box.
#include "ui/menu_line.h"
#include "runtime/state.h"

#include "support/probe_script.h"
#include "ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using sim::floatFromSlot;
using test::named;
using test::namesOf;

class DrawMenuLineTest : public test::ProbeTest {
protected:
    // Runs `draw` on the script fiber and returns the calls it made.
    template <typename Draw>
    std::vector<sim::NativeCall> callsOf(Draw draw) {
        const std::size_t first = host().calls().size();
        runInScript(draw);
        host().runFrames(1);
        return test::callsFrom(host(), first);
    }
};

const std::vector<std::string> textPassNames(const std::string& begin, const std::string& end) {
    return {"SET_TEXT_FONT",
            "SET_TEXT_SCALE",
            "SET_TEXT_COLOUR",
            "SET_TEXT_CENTRE",
            "SET_TEXT_DROPSHADOW",
            "SET_TEXT_EDGE",
            begin,
            "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME",
            end};
}

std::vector<std::string> bothPasses() {
    auto names = textPassNames("BEGIN_TEXT_COMMAND_DISPLAY_TEXT", "END_TEXT_COMMAND_DISPLAY_TEXT");
    const auto measuring = textPassNames("BEGIN_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING",
                                         "END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING");
    names.insert(names.end(), measuring.begin(), measuring.end());
    return names;
}

// The pushed values of one style-setting step, read as integers.
std::vector<std::int32_t> intArgs(const sim::NativeCall& call) {
    std::vector<std::int32_t> values;
    for (int i = 0; i < call.argCount; ++i) values.push_back(call.intArg(i));
    return values;
}

TEST_F(DrawMenuLineTest, AMenuItemIssuesBothTextPassesWithTheStatedValues) {
    const auto calls = callsOf(
        [] { drawMenuLine("Technical", 250.0f, 20.0f, 55.0f, 25.0f, 10.0f, false, false, false, true, false); });

    ASSERT_EQ(namesOf(calls), bothPasses());
    for (int pass = 0; pass < 2; ++pass) {
        const auto& at = [&](int step) -> const sim::NativeCall& { return calls[pass * 9 + step]; };
        EXPECT_EQ(intArgs(at(0)), (std::vector<std::int32_t>{0}));
        EXPECT_EQ(at(1).floatArg(0), 0.0f);
        EXPECT_EQ(at(1).floatArg(1), 0.35f);
        EXPECT_EQ(intArgs(at(2)), (std::vector<std::int32_t>{255, 255, 255, 255}));
        EXPECT_EQ(intArgs(at(4)), (std::vector<std::int32_t>{1, 10, 10, 10, 255}));
        EXPECT_EQ(intArgs(at(5)), (std::vector<std::int32_t>{1, 10, 10, 10, 205}));
        EXPECT_EQ(at(6).texts, (std::vector<std::string>{"STRING"}));
        EXPECT_EQ(at(7).texts, (std::vector<std::string>{"Technical"}));
    }
    // The drawing pass takes the drawing flag, the measuring pass the measuring one.
    EXPECT_EQ(calls[3].intArg(0), 1);
    EXPECT_EQ(calls[12].intArg(0), 0);

    // Worked values at 800 x 600: every step rounded to single precision.
    const sim::NativeCall& draw = calls[8];
    ASSERT_EQ(draw.argCount, 3);
    EXPECT_EQ(draw.floatArg(0), floatFromSlot(0x3d333333));  // 0.04375
    EXPECT_EQ(draw.floatArg(1), floatFromSlot(0x3dfb7415));  // ~0.122780
    EXPECT_EQ(draw.intArg(2), 0);
    EXPECT_EQ(calls[17].floatArg(0), draw.floatArg(0));
    EXPECT_EQ(calls[17].floatArg(1), draw.floatArg(1));

    const auto& drawn = host().world().screen.current.texts;
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].caption, "Technical");
    EXPECT_TRUE(drawn[0].style.centre);
}

TEST_F(DrawMenuLineTest, LinesLowerOnTheScreenKeepSinglePrecisionRounding) {
    // A double evaluation of these steps lands one bit lower for each of these tops.
    const std::vector<std::pair<float, std::uint32_t>> expected = {
        {25.0f, 0x3d950daf}, {75.0f, 0x3e1fdc2d}, {117.0f, 0x3e678a42}};
    for (const auto& [top, bits] : expected) {
        const auto calls = callsOf(
            [top = top] { drawMenuLine("x", 250.0f, 20.0f, top, 25.0f, 10.0f, false, false, false, false, false); });
        const auto draws = named(calls, "END_TEXT_COMMAND_DISPLAY_TEXT");
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0]->floatArg(1), floatFromSlot(bits)) << "lineTop " << top;
    }
}

TEST_F(DrawMenuLineTest, WithoutTheBoxThereIsNoHeightQueryNoRectangleAndTheWidthChangesNothing) {
    const auto narrow =
        callsOf([] { drawMenuLine("Valkyrie", 250.0f, 20.0f, 95.0f, 25.0f, 10.0f, true, false, false, false, false); });
    const auto wide = callsOf(
        [] { drawMenuLine("Valkyrie", 9000.0f, 20.0f, 95.0f, 25.0f, 10.0f, true, false, false, false, false); });

    ASSERT_EQ(namesOf(narrow), bothPasses());
    ASSERT_EQ(namesOf(wide), bothPasses());
    for (std::size_t i = 0; i < narrow.size(); ++i) EXPECT_EQ(narrow[i].slots, wide[i].slots) << i;
    EXPECT_TRUE(host().world().screen.current.rects.empty());
}

TEST_F(DrawMenuLineTest, TheBoxFollowsTheReportedLineCountAndKeepsItsTop) {
    struct Box {
        float centreX, centreY, width, height, charHeight;
        std::int32_t lines;
    };
    auto boxFor = [&](std::string caption) {
        const auto calls = callsOf(
            [caption] { drawMenuLine(caption, 250.0f, 20.0f, 55.0f, 25.0f, 10.0f, false, false, false, false, true); });
        auto names = bothPasses();
        names.push_back("GET_RENDERED_CHARACTER_HEIGHT");
        names.push_back("DRAW_RECT");
        EXPECT_EQ(namesOf(calls), names);
        const sim::NativeCall& height = calls[18];
        EXPECT_EQ(height.floatArg(0), 0.35f);
        EXPECT_EQ(height.intArg(1), 0);
        const sim::NativeCall& rect = calls[19];
        EXPECT_EQ(rect.argCount, 9);
        EXPECT_EQ(intArgs(rect), (std::vector<std::int32_t>{rect.intArg(0), rect.intArg(1), rect.intArg(2),
                                                            rect.intArg(3), 70, 95, 95, 150, 0}));
        return Box{rect.floatArg(0), rect.floatArg(1),     rect.floatArg(2),
                   rect.floatArg(3), height.floatResult(), calls[17].intResult()};
    };

    const Box one = boxFor("Insurgent");
    // Long enough for the layout model to wrap it onto three lines from x = 0.04375.
    const Box three = boxFor(std::string(70, 'w') + " " + std::string(70, 'w') + " " + std::string(70, 'w'));
    const Box none = boxFor("");

    ASSERT_EQ(one.lines, 1);
    ASSERT_EQ(three.lines, 3);
    ASSERT_EQ(none.lines, 0);
    const float margins = 20.0f / 600.0f * 2.0f + 0.005f;
    EXPECT_NEAR(one.height, one.charHeight + margins, 1e-6f);
    EXPECT_NEAR(three.height, 3.0f * three.charHeight + margins, 1e-6f);
    EXPECT_NEAR(none.height, margins, 1e-6f);
    for (const Box& box : {one, three, none}) {
        EXPECT_EQ(box.width, 250.0f / 800.0f);
        EXPECT_NEAR(box.centreX, 0.1875f, 1e-7f);  // from 25 to 275 pixels
        EXPECT_NEAR(box.centreY - box.height / 2.0f, 55.0f / 600.0f + 0.00278f, 1e-6f);
    }
    EXPECT_EQ(host().world().screen.previous.rects.size(), 1u);
}

struct StyleCase {
    bool active;
    bool title;
    float scale;
    std::vector<std::int32_t> textColour;
    std::vector<std::int32_t> boxColour;
};

TEST_F(DrawMenuLineTest, StylesResolveActiveFirstAndTheTitleKeepsItsTextColour) {
    const std::vector<StyleCase> cases = {
        {false, false, 0.35f, {255, 255, 255, 255}, {70, 95, 95, 150}},
        {true, false, 0.40f, {98, 190, 255, 255}, {15, 15, 15, 150}},
        {false, true, 0.50f, {255, 255, 255, 255}, {0, 0, 0, 150}},
        {true, true, 0.50f, {98, 190, 255, 255}, {0, 0, 0, 150}},
    };
    for (const StyleCase& style : cases) {
        const auto calls = callsOf([style] {
            drawMenuLine("Close menu", 250.0f, 20.0f, 117.0f, 25.0f, 10.0f, style.active, style.title, false, false,
                         true);
        });
        SCOPED_TRACE(testing::Message() << "active " << style.active << ", title " << style.title);
        for (const auto* scale : named(calls, "SET_TEXT_SCALE")) EXPECT_EQ(scale->floatArg(1), style.scale);
        for (const auto* colour : named(calls, "SET_TEXT_COLOUR")) EXPECT_EQ(intArgs(*colour), style.textColour);
        const auto height = named(calls, "GET_RENDERED_CHARACTER_HEIGHT");
        ASSERT_EQ(height.size(), 1u);
        EXPECT_EQ(height[0]->floatArg(0), style.scale);
        const auto rect = named(calls, "DRAW_RECT");
        ASSERT_EQ(rect.size(), 1u);
        const auto rectArgs = intArgs(*rect[0]);
        EXPECT_EQ(std::vector<std::int32_t>(rectArgs.begin() + 4, rectArgs.begin() + 8), style.boxColour);

        const auto& drawn = host().world().screen.current.texts;
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].style.scale, style.scale);
        EXPECT_EQ(drawn[0].style.colour.b, style.textColour[2]);
    }
}

}  // namespace

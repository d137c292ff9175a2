// The timed status message: drawing, expiry, replacement, the blocking wait and the tick wrap.
#include "ui/status_text.h"
#include "runtime/platform_calls.h"
#include "runtime/state.h"

#include "support/probe_script.h"
#include "ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using sim::floatFromSlot;
using test::named;

constexpr const char* attackMessage = "Attack mode: Tobek attack enemies.";

class StatusTextTest : public test::ProbeTest {
protected:
    void SetUp() override { host().world().screen.keepHistory = true; }

    // Kept frames whose drawing shows `caption`.
    std::size_t framesShowing(const std::string& caption) {
        std::size_t count = 0;
        for (const auto& frame : host().world().screen.history) {
            for (const auto& text : frame.texts) count += text.caption == caption ? 1 : 0;
        }
        return count;
    }
};

TEST_F(StatusTextTest, TheMessageAt800x600IsCentredOverAFullWidthBoxAtTheBottom) {
    runInScript([] { setStatusText("Insurgent vehicle created.", 3000); });
    host().runFrames(1);
    const std::size_t first = host().calls().size();
    host().runFrames(1);
    const auto calls = test::callsFrom(host(), first);

    const auto draw = named(calls, "END_TEXT_COMMAND_DISPLAY_TEXT");
    ASSERT_EQ(draw.size(), 1u);
    EXPECT_EQ(draw[0]->floatArg(0), 0.5f);
    EXPECT_EQ(draw[0]->floatArg(1), floatFromSlot(0x3f76e5fb));  // ~0.964447
    for (const auto* centre : named(calls, "SET_TEXT_CENTRE")) EXPECT_EQ(centre->intArg(0), 1);
    for (const auto* scale : named(calls, "SET_TEXT_SCALE")) EXPECT_EQ(scale->floatArg(1), 0.40f);

    const auto lines = named(calls, "END_TEXT_COMMAND_GET_NUMBER_OF_LINES_FOR_STRING");
    const auto height = named(calls, "GET_RENDERED_CHARACTER_HEIGHT");
    const auto rect = named(calls, "DRAW_RECT");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(height.size(), 1u);
    ASSERT_EQ(rect.size(), 1u);
    ASSERT_EQ(lines[0]->intResult(), 1);
    const float boxHeight = rect[0]->floatArg(3);
    EXPECT_EQ(rect[0]->floatArg(0), 0.5f);
    EXPECT_EQ(rect[0]->floatArg(2), 1.0f);
    EXPECT_NEAR(boxHeight, height[0]->floatResult() + 0.016667f + 0.005f, 1e-6f);
    EXPECT_NEAR(rect[0]->floatArg(1) - boxHeight / 2.0f, 0.961113f, 1e-6f);
    EXPECT_EQ(rect[0]->intArg(4), 15);
    EXPECT_EQ(rect[0]->intArg(5), 15);
    EXPECT_EQ(rect[0]->intArg(6), 15);
    EXPECT_EQ(rect[0]->intArg(7), 150);

    const auto& texts = host().world().screen.current.texts;
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].caption, "Insurgent vehicle created.");
    EXPECT_EQ(texts[0].style.colour.r, 98);
    EXPECT_EQ(texts[0].style.colour.g, 190);
    EXPECT_EQ(texts[0].style.colour.b, 255);
}

TEST_F(StatusTextTest, AMessageOfTwoLinesGetsABoxOneLineTallerWithTheSameTop) {
    const std::string longMessage(150, 'm');  // wider than 800 pixels at scale 0.40
    runInScript([] { setStatusText("short", 3000); });
    host().runFrames(2);
    const sim::DrawnRect oneLine = host().world().screen.current.rects.at(0);
    runInScript([&] { setStatusText(longMessage, 3000); });
    host().runFrames(2);
    const sim::DrawnRect twoLines = host().world().screen.current.rects.at(0);

    const float lineHeight = 0.40f * sim::lineHeightPerScale;
    EXPECT_NEAR(twoLines.height - oneLine.height, lineHeight, 1e-6f);
    EXPECT_NEAR(twoLines.centreY - twoLines.height / 2.0f, oneLine.centreY - oneLine.height / 2.0f, 1e-6f);
    EXPECT_EQ(host().world().screen.current.texts.at(0).caption, longMessage);
}

TEST_F(StatusTextTest, AnEmptyMessageIsNeverDrawn) {
    runInScript([] { setStatusText("", 3000); });
    const std::size_t first = host().calls().size();
    host().runFrames(20);
    EXPECT_TRUE(test::callsFrom(host(), first).empty());
    EXPECT_EQ(state.statusDuration, 3000u);
}

TEST_F(StatusTextTest, AZeroDurationReturnsAtOnceWithoutYieldingAndIsNeverDrawn) {
    std::uint64_t waitsBefore = 0;
    std::uint64_t waitsAfter = 0;
    runInScript([&] {
        waitsBefore = host().waitCount();
        showStatusTextAndWait("gone", 0);
        waitsAfter = host().waitCount();
    });
    host().runFrames(10);
    EXPECT_EQ(waitsAfter, waitsBefore);
    EXPECT_EQ(state.statusText, "gone");
    EXPECT_EQ(framesShowing("gone"), 0u);
}

TEST_F(StatusTextTest, ANewMessageReplacesTheOldOneAndGetsItsOwnDuration) {
    runInScript([] { setStatusText("first", 3000); });
    host().runFor(1000);
    runInScript([] { setStatusText("second", 500); });
    host().runFrames(2);
    EXPECT_EQ(test::captionsOf(host().world().screen.current), (std::vector<std::string>{"second"}));

    host().runFor(600);
    // "first" would have had 1400 ms left; the replacement ended after its own 500.
    EXPECT_TRUE(host().world().screen.current.texts.empty());
    EXPECT_EQ(framesShowing("second"), 31u);  // ticks 16 .. 496 after it was set
}

TEST_F(StatusTextTest, TheHeldMessageShowsWithTheScriptHaltedThenForItsFullTimeWithTheScriptRunning) {
    const std::uint32_t start = host().tick() + host().frameMs();
    std::uint64_t passesDuringHold = 0;
    std::uint32_t frameTickAfterHold = 0;
    runInScript([&] {
        const std::uint64_t passes = probePasses();
        showStatusTextAndWait(attackMessage, 250);
        passesDuringHold = probePasses() - passes;
        frameTickAfterHold = state.frameTick;
        setStatusText(attackMessage, 3000);
    });
    host().runFor(250);
    // The hold ends on the first frame at least 250 ms after it began: 16 frames of 16 ms.
    EXPECT_EQ(host().waitCount(), 1u + 16u);
    host().runFrames(1);
    EXPECT_EQ(passesDuringHold, 0u);
    EXPECT_EQ(frameTickAfterHold, start);
    EXPECT_EQ(state.statusShownAt, start + 256);

    host().runFor(3200);
    // Drawn on each frame of the hold (16) and then until 3000 ms after the second stamp (187).
    EXPECT_EQ(framesShowing(attackMessage), 16u + 187u);
    for (const auto& frame : host().world().screen.history) {
        EXPECT_LE(frame.texts.size(), 1u) << "frame " << frame.frame;
    }
}

TEST_F(StatusTextTest, AMessageSetLateInALongPassIsDrawnThroughItsWait) {
    runInScript([] {
        for (int i = 0; i < 10; ++i) waitForGame(0);  // 160 ms pass, like a spawn's model loads
        showStatusTextAndWait("Technical vehicle created.", 100);
    });
    host().runFor(500);
    // The stamp is later than the stale frameTick; the message shows on each frame of the wait.
    EXPECT_EQ(framesShowing("Technical vehicle created."), 7u);
}

TEST_F(StatusTextTest, AMessageAcrossTheTickWrapStaysItsFullDuration) {
    restart(sim::HostConfig{.startTick = 0xFFFFFFFFu - 1000u, .frameMs = 16, .recordCalls = true});
    host().world().screen.keepHistory = true;
    runInScript([] { setStatusText("wrapped", 3000); });
    host().runFrames(1);
    const std::uint32_t shownAt = state.statusShownAt;
    host().runFor(4000);

    EXPECT_EQ(framesShowing("wrapped"), 187u);  // ticks shownAt + 16 .. shownAt + 2992
    EXPECT_LT(state.frameTick, shownAt);        // the clock has wrapped meanwhile
    EXPECT_TRUE(host().world().screen.current.texts.empty());
}

TEST_F(StatusTextTest, AWaitAcrossTheTickWrapLastsItsFullDuration) {
    restart(sim::HostConfig{.startTick = 0xFFFFFFFFu - 100u, .frameMs = 16, .recordCalls = true});
    std::uint32_t began = 0;
    std::uint32_t ended = 0;
    runInScript([&] {
        began = readTickCount();
        showStatusTextAndWait("held", 250);
        ended = readTickCount();
    });
    host().runFor(600);
    EXPECT_EQ(ended - began, 256u);
    EXPECT_LT(ended, began);
}

}  // namespace

// The wrap-safe tick rule on both sides of the 32-bit wrap.
#include "runtime/ticks.h"

#include <gtest/gtest.h>

namespace {

TEST(Throttle, RunsOnlyWhenStrictlyMoreThanThePeriodHasPassed) {
    EXPECT_TRUE(throttlePassed(0, 11, 10));  // initial 0 runs at once
    EXPECT_FALSE(throttlePassed(1000, 1010, 10));  // stored + 10 == now: skipped
    EXPECT_TRUE(throttlePassed(1000, 1011, 10));  // one millisecond later: runs
    EXPECT_FALSE(throttlePassed(5000, 5000, 1000));
}

TEST(Throttle, KeepsRunningAcrossTheWrap) {
    // Read literally, stored + 1000 wraps to 704 and the throttle would then hold for 49.7 days.
    EXPECT_TRUE(throttlePassed(4294966000u, 100, 1000));
    EXPECT_FALSE(throttlePassed(4294967000u, 100, 1000));  // only 396 ms have passed
    EXPECT_TRUE(throttlePassed(4294967000u, 705, 1000));
    EXPECT_TRUE(throttlePassed(4294967295u, 11, 10));
    EXPECT_FALSE(throttlePassed(4294967295u, 9, 10));
}

TEST(Throttle, AFreshStampAheadOfTheFrameHoldsTheWorkBack) {
    // scanTick is stamped from a fresh clock read that can be ahead of frameTick in the same pass.
    EXPECT_FALSE(throttlePassed(5003, 5000, 1000));
    EXPECT_FALSE(throttlePassed(4294967290u, 4294967200u, 1000));
}

TEST(Interval, StatusMessageVisibility) {
    EXPECT_TRUE(intervalRunning(1000, 1000, 3000));
    EXPECT_TRUE(intervalRunning(1000, 3999, 3000));
    EXPECT_FALSE(intervalRunning(1000, 4000, 3000));
    EXPECT_FALSE(intervalRunning(1000, 1000, 0));
    EXPECT_TRUE(intervalRunning(1005, 1000, 3000));  // stamp ahead of the frame tick
}

TEST(Interval, MessageAcrossTheWrap) {
    const Tick shownAt = 4294966000u;
    EXPECT_TRUE(intervalRunning(shownAt, 4294967295u, 3000));
    EXPECT_TRUE(intervalRunning(shownAt, 1000, 3000));  // 2296 ms after the stamp
    EXPECT_FALSE(intervalRunning(shownAt, 1704, 3000));  // exactly 3000 ms
}

}  // namespace

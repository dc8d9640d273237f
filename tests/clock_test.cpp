#include "app/clock.h"

#include <gtest/gtest.h>

#include <cmath>

// The clock running at 1x from reading seconds at toolkit time ms.
static void RunClockFrom(int ms, double seconds)
{
    PauseClockAt(ms, false);
    SetClockRateAt(ms, 1);
    SetClockSecondsAt(ms, seconds);
}

TEST(Clock, FollowsTheToolkitAtItsRateAndHoldsWhilePausedWithoutJumps)
{
    RunClockFrom(1000, 0);
    EXPECT_DOUBLE_EQ(2.0, ClockSecondsAt(3000));
    PauseClockAt(3000, true);
    EXPECT_DOUBLE_EQ(2.0, ClockSecondsAt(9000));
    PauseClockAt(9000, false);   // resumes from where it stopped
    EXPECT_DOUBLE_EQ(3.0, ClockSecondsAt(10000));
    SetClockRateAt(10000, 0.5);   // slows from where it is
    EXPECT_DOUBLE_EQ(3.5, ClockSecondsAt(11000));
    SetClockRateAt(11000, 2);
    EXPECT_DOUBLE_EQ(5.5, ClockSecondsAt(12000));
    PauseClockAt(12000, true);
    SetClockRateAt(13000, 8);   // a paused clock stays put at any rate
    EXPECT_DOUBLE_EQ(5.5, ClockSecondsAt(14000));
    EXPECT_TRUE(ClockPaused());
}

TEST(Clock, HoldsItsRateBetweenAnEighthAndEightTimes)
{
    struct Case {
        double asked, held;
    } cases[] = {{8, 8}, {16, 8}, {1e9, 8}, {0.125, 0.125}, {0.0625, 0.125}, {0, 0.125}, {-2, 0.125}, {1.5, 1.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        RunClockFrom(0, 0);
        SetClockRateAt(0, c.asked);
        EXPECT_EQ(c.held, ClockRate());
    }
    SetClockRateAt(0, NAN);
    EXPECT_EQ(1.5, ClockRate()) << "not a number leaves the rate as it was";
}

TEST(Clock, StepsPauseFirstAndStepBackNoFurtherThanZero)
{
    RunClockFrom(0, 2.0);
    StepClockAt(1000, 1);   // from the reading then, 3.0
    EXPECT_TRUE(ClockPaused());
    EXPECT_DOUBLE_EQ(3.0 + 1.0 / 30, ClockSecondsAt(5000));
    StepClockAt(5000, -3);
    EXPECT_DOUBLE_EQ(3.0 - 2.0 / 30, ClockSecondsAt(5000));
    SetClockSecondsAt(5000, 0.02);
    StepClockAt(5000, -1);
    EXPECT_EQ(0.0, ClockSecondsAt(5000));
    StepClockAt(5000, -1);
    EXPECT_EQ(0.0, ClockSecondsAt(5000));
    StepClockAt(5000, 1);
    EXPECT_DOUBLE_EQ(1.0 / 30, ClockSecondsAt(5000));
    for (double wrong : {-5.0, static_cast<double>(NAN)}) {
        SetClockSecondsAt(5000, wrong);
        EXPECT_EQ(0.0, ClockSecondsAt(5000)) << wrong;
    }
}

// However long it runs, the float the shaders get still resolves a frame's
// worth of motion to the millisecond: after the span the clock goes round.
TEST(Clock, StaysPreciseEnoughForTheShadersAfterAWeekOfRunning)
{
    RunClockFrom(0, 0);
    const int week = 7 * 24 * 3600 * 1000;
    for (int ms : {week, week + 4000000, week + 9000000}) {
        SCOPED_TRACE(ms);
        const double now = ClockSecondsAt(ms), frameLater = ClockSecondsAt(ms + 17);
        EXPECT_LT(now, ClockSpanSeconds);
        EXPECT_NEAR(0.017, static_cast<float>(frameLater) - static_cast<float>(now), 0.002);
    }
    SetClockSecondsAt(0, ClockSpanSeconds - 0.5);
    EXPECT_DOUBLE_EQ(0.5, ClockSecondsAt(1000));
    SetClockSecondsAt(0, ClockSpanSeconds + 3);
    EXPECT_DOUBLE_EQ(3.0, ClockSecondsAt(0));
}

// What the status line adds: nothing while the clock runs at 1x.
TEST(DescribeClock, AddsTheReadingOnlyWhilePausedOrAtAnotherRate)
{
    struct Case {
        bool paused;
        double rate;
        const char* text;
    } cases[] = {
        {false, 1, ""},
        {true, 1, " t=12.3 Paused"},
        {false, 0.5, " t=12.3 x0.5"},
        {false, 0.125, " t=12.3 x0.125"},
        {true, 8, " t=12.3 x8 Paused"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RunClockFrom(0, 0);
        PauseClockAt(0, c.paused);
        SetClockRateAt(0, c.rate);
        char text[64] = "unwritten";
        DescribeClock(12.34, text, sizeof text);
        EXPECT_STREQ(c.text, text);
    }
}

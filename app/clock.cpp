#include "app/clock.h"

#include <cmath>
#include <cstdio>

// The reading is anchorSeconds at anchorMs, and moves on from there at rate
// while running. The toolkit's clock starts with the program, so at first
// the reading is the seconds since start-up, as the shaders always had.
static double anchorSeconds = 0;
static int anchorMs = 0;
static bool paused = false;
static double rate = 1;

// Seconds brought into the span: below 0 (or not a number) is 0, and past
// its end the reading goes round again from 0.
static double IntoSpan(double seconds)
{
    if (!(seconds > 0))
        return 0;
    return std::fmod(seconds, ClockSpanSeconds);
}

double ClockSecondsAt(int nowMs)
{
    if (paused || nowMs <= anchorMs)
        return anchorSeconds;
    return IntoSpan(anchorSeconds + (nowMs - anchorMs) * 0.001 * rate);
}

bool ClockPaused()
{
    return paused;
}

double ClockRate()
{
    return rate;
}

// Holds the reading at nowMs as the new anchor, so that what changes next
// starts from where the clock is.
static void AnchorAt(int nowMs)
{
    anchorSeconds = ClockSecondsAt(nowMs);
    anchorMs = nowMs;
}

void PauseClockAt(int nowMs, bool pause)
{
    AnchorAt(nowMs);
    paused = pause;
}

void SetClockSecondsAt(int nowMs, double seconds)
{
    anchorSeconds = IntoSpan(seconds);
    anchorMs = nowMs;
}

void StepClockAt(int nowMs, int steps)
{
    AnchorAt(nowMs);
    paused = true;
    anchorSeconds = IntoSpan(anchorSeconds + steps * ClockStepSeconds);
}

void SetClockRateAt(int nowMs, double newRate)
{
    if (std::isnan(newRate))
        return;
    AnchorAt(nowMs);
    rate = newRate < SlowestClockRate ? SlowestClockRate : newRate > FastestClockRate ? FastestClockRate : newRate;
}

void DescribeClock(double seconds, char* text, size_t size)
{
    if (!paused && rate == 1) {
        snprintf(text, size, "%s", "");
        return;
    }
    char rateText[16] = "";
    if (rate != 1)
        snprintf(rateText, sizeof rateText, " x%.3g", rate);
    snprintf(text, size, " t=%.1f%s%s", seconds, rateText, paused ? " Paused" : "");
}

// The animation's clock, which the user holds. Every particle's place is a
// function of it (the shaders' "time"), so stopping it freezes the picture
// exactly, and it can be stepped, sped up, slowed down and set anywhere.
// While it runs it follows the toolkit's millisecond clock at its rate;
// paused, it holds its reading. Frames go on being drawn either way.
//
// Every function takes the toolkit's clock reading in milliseconds (callers
// pass glutGet(GLUT_ELAPSED_TIME)), so that the arithmetic can be tested
// against any clock.
#pragma once

#include <cstddef>

// One step of "." and ",": a frame at 30 frames a second.
inline constexpr double ClockStepSeconds = 1.0 / 30;
// The rates "[" and "]" move between, in steps of two.
inline constexpr double SlowestClockRate = 1.0 / 8;
inline constexpr double FastestClockRate = 8;
// The reading starts again from 0 when it gets here. The shaders receive it
// as a single-precision float, whose steps grow with the number: below
// 2^14 s they are under a millisecond, after a day of running they would be
// 8 ms, and the flakes' spin would stutter. One jump back to the start every
// two and three-quarter hours (at 1x) keeps the motion smooth however long
// the program runs.
inline constexpr double ClockSpanSeconds = 10000;

// The reading in seconds, from 0 up to ClockSpanSeconds.
double ClockSecondsAt(int nowMs);
bool ClockPaused();
double ClockRate();

// Pauses or resumes from the reading at nowMs: no jump either way.
void PauseClockAt(int nowMs, bool paused);

// Sets the reading, running or paused as it was. A negative reading (or
// not a number) is 0; one past the span is taken round it.
void SetClockSecondsAt(int nowMs, double seconds);

// Pauses if it runs, then moves the reading by steps of ClockStepSeconds,
// forwards or backwards. Stepping back stops at 0, the moment the animation
// starts from; it does not wrap round to the end of the span.
void StepClockAt(int nowMs, int steps);

// Sets the rate, held between the slowest and the fastest (not a number
// leaves it as it was), from the reading at nowMs: no jump.
void SetClockRateAt(int nowMs, double rate);

// What the status line adds for the clock: nothing while it runs at 1x (so
// the line reads as it always has), otherwise the reading and the rate or
// "Paused", or both: " t=12.3 Paused", " t=12.3 x0.5", " t=1.0 x2 Paused".
void DescribeClock(double seconds, char* text, size_t size);

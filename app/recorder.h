// Recording the animation into an animated GIF (--record). Every frame is a
// function of the clock, so frame k is drawn at exactly k / 30 s, however
// fast or slow the machine draws: the same files make the same recording,
// byte for byte, every time.
#pragma once

inline constexpr int RecordFramesPerSecond = 30;
inline constexpr int RecordSize = 600;   // pixels, both ways, as the window starts

// Draws seconds of the animation from clock 0 at RecordFramesPerSecond,
// RecordSize pixels square, as the program stands (its programs, sprite,
// particles and view), writes them to path as a looping animated GIF and
// prints the path. A file that cannot be written ends the program.
void RecordGif(const char* path, double seconds);

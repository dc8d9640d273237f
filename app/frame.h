// Drawing one frame: the particles, the axes and the status line.
#pragma once

#include "gl/printf_format.h"
#include "gl/opengl.h"

// Mode names indexed by mode, for the status line; the first is also the
// window title.
extern const char* const ModeNames[2];

// Shader programs indexed by mode: 0 Glitter, 1 Fire. Built once by main.
extern GLuint programs[2];

// The toolkit's display callback: draws and swaps one whole frame at the
// clock's reading.
void display();

// Draws one whole frame, as the animation is at the given second, with the
// status line showing framesPerSecond; swaps nothing.
void DrawFrame(double seconds, int framesPerSecond);

// Counts this frame and returns the number of frames drawn in the most recent
// earlier whole second that had any (0 during the first second).
int CountFrames();

// CountFrames against an explicit clock reading in milliseconds.
int CountFramesAt(int elapsedMs);

// printf-style text in an 18-point bitmap font at the current raster position.
void RasterPrint(const char* format, ...) PRINTF_FORMAT(1, 2);

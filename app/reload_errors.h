// A rebuild that failed while the program runs, shown over the scene until
// the files build again: the user need not watch a terminal to see why the
// picture stopped changing. Warnings of a build that went ahead show the
// same way.
#pragma once

#include "gl/failure.h"
#include "gl/opengl.h"

// The overlay's text: a fixed-width bitmap font in rows of OverlayLineHeight
// pixels, OverlayMargin pixels inside a dark box, clear of the status line
// below StatusLineTop.
inline void* const OverlayFont = GLUT_BITMAP_9_BY_15;
inline constexpr int OverlayCharWidth = 9;      // pixels, every character of the font
inline constexpr int OverlayLineHeight = 16;    // pixels
inline constexpr int OverlayMargin = 8;         // pixels between the box's edge and the text
inline constexpr int StatusLineTop = 30;        // pixels: the status line lies below
inline constexpr float OverlayHeadingColour[3] = {1.0f, 0.75f, 0.3f};
inline constexpr float OverlayTextColour[3] = {1.0f, 1.0f, 1.0f};

// What a reload rebuilds. The programs take the index of their mode.
enum ReloadTarget { GlitterShaders = 0, FireShaders = 1, SpriteImage = 2, ReloadTargetCount = 3 };

// Keeps the text to show for target's failed rebuild: the files it builds
// from, the lines stderr got (the failure's message, then keptLine), the
// first lines of the compiler's or linker's log and the source line it
// points at. Prepared once, here, so that a frame only draws it.
void ShowReloadError(int target, const char* files, const Failure& failure, const char* keptLine);

// Takes target's failure off the screen: it has built again.
void ClearReloadError(int target);

// The text on show for target, "" while it has none.
const char* ReloadErrorText(int target);

// Where target's failure lies, for an editor to mark: the shader file that
// did not compile ("" for any other failure) and the line its compiler's
// log names (0 for none), as the text on show quotes it.
const char* ReloadErrorFile(int target);
int ReloadErrorLine(int target);

// Keeps the warnings of the last good build of mode's program on show
// ("" for none), after the failures: they stay until it builds again.
void ShowBuildWarnings(int mode, const char* text);
const char* BuildWarningsText(int mode);

// Whether any failure or warning is on show.
bool OverlayShown();

// Draws every failure and warning on show over the scene, in window
// coordinates, on a dark backing that stays inside the window, above the
// status line and above the knob panel while it is shown. Does nothing
// while there is none.
void DrawReloadErrors();

// A dark, mostly opaque box at window pixels (left, bottom), blended over
// what is there, for text to read on any scene.
void DrawOverlayBox(int left, int bottom, int width, int height);

// Draws length characters of text in the overlay's font at window pixels
// (left, baseline).
void DrawOverlayText(int left, int baseline, const char* text, int length, const float colour[3]);

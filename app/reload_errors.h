// A rebuild that failed while the program runs, shown over the scene until
// the files build again: the user need not watch a terminal to see why the
// picture stopped changing.
#pragma once

#include "gl/failure.h"

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

// Draws every failure on show over the scene, in window coordinates, on a
// dark backing that stays inside the window and above the status line. Does
// nothing while there is none.
void DrawReloadErrors();

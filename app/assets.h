// The four files the program reads from its working folder, and their live
// reload: while the program runs, a saved change to a shader or to the sprite
// image rebuilds what the file feeds, and a change that fails to build leaves
// the last good version in use.
#pragma once

#include "gl/opengl.h"

// The shader files of one mode's program.
struct ProgramFiles {
    const char* vertex;
    const char* fragment;   // null: fragments are coloured by fixed function
};

// By mode: Glitter's vertex-only program, then Fire's pair.
extern const ProgramFiles ShaderFiles[2];
extern const char* const SpriteFile;

// Watches the files from now on, as they are now, with the sprite texture
// that start-up loaded: a toolkit timer checks them a few times a second.
void WatchAssets(GLuint sprite);

// One check, the timer's work: rebuilds what a file feeds once the file has
// changed and then stayed the same for a whole check. Allocates nothing when
// nothing has changed.
void CheckAssets();

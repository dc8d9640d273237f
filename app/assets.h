// The four files the program reads from its working folder, and their live
// reload: while the program runs, a saved change to a shader or to the sprite
// image rebuilds what the file feeds, and a change that fails to build leaves
// the last good version in use and says why, on stderr and over the scene.
#pragma once

#include "gl/opengl.h"

// Every file the program reads, in the order start-up reads them.
inline constexpr const char* AssetFiles[4] = {"confetti.vert", "fire.vert", "fire.frag", "particle.bmp"};

// The shader files of one mode's program.
struct ProgramFiles {
    const char* vertex;
    const char* fragment;   // null: fragments are coloured by fixed function
};

// By mode: Glitter's vertex-only program, then Fire's pair.
inline constexpr ProgramFiles ShaderFiles[2] = {{AssetFiles[0], nullptr}, {AssetFiles[1], AssetFiles[2]}};
inline constexpr const char* SpriteFile = AssetFiles[3];

// Builds the Glitter program, then the Fire program (so a fault in Glitter's
// shader is reported before the fire shaders are even read), then loads the
// sprite, all from the working folder, as start-up does: any failure ends
// the program. Returns the sprite texture, bound to texture unit 0, where
// the fire sprites sample it through the "img" uniform.
GLuint LoadAssets();

// Watches the files from now on, as they are now, with the sprite texture
// that start-up loaded: a toolkit timer checks them many times a second.
void WatchAssets(GLuint sprite);

// Builds both programs and the sprite again from the files as they are now,
// each as a reload would, for graphics that came back without any of them
// (gl/graphics_reset.h). One that fails is reported as a reload is, and its
// mode is drawn without it (there is no earlier build left to keep) until
// the file is saved again and builds.
void RebuildAssets();

// One check, the timer's work, at the toolkit's clock.
void CheckAssets();

// One check at the given clock reading in milliseconds. A program or the
// sprite is rebuilt once a file it is built from has changed and every one
// of them has then rested for a moment, so files saved together are built
// together. A build that could not read a file is tried again at each check
// until it builds or the file changes again. Allocates nothing until it
// builds.
void CheckAssetsAt(int nowMs);

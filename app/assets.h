// The four files the program reads from its working folder, and their live
// reload: while the program runs, a saved change to a shader or to the sprite
// image rebuilds what the file feeds, and a change that fails to build leaves
// the last good version in use and says why, on stderr and over the scene.
#pragma once

#include "gl/opengl.h"

#include <cstddef>

// The shader files of one mode's program.
struct ProgramFiles {
    const char* vertex;
    const char* fragment;   // null: fragments are coloured by fixed function
};

// The build writes these from the list of the files, app/asset_files.json:
//   AssetFiles: every file the program reads, in the order start-up reads them;
//   ShaderFiles: by mode, the files of its program: Glitter's vertex-only
//     program, then Fire's pair;
//   SpriteFile: Fire's sprite image.
#include "asset_files.inc"

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

// Builds at once whatever changed since the last check, for a writer that
// saves each file whole (under another name, then renamed into place), as
// the web page does: its files need not rest before they are read.
void BuildSavedFiles();

// Checks the first count bytes of a sprite image of fileLength bytes in all,
// before it is saved, against what the loader takes (BmpHeaderStartBytes are
// enough): one it would refuse is reported as a failed reload of the sprite,
// and false returned. For a writer that has not copied the image yet, as it
// may be too big to copy.
bool CheckSpriteStart(const unsigned char* start, size_t count, long long fileLength);

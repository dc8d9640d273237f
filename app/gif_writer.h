// Animated GIF files, written a frame at a time with giflib: each frame gets
// its own 256 colours, chosen for it by giflib's median-cut quantiser, and
// the animation loops for ever. One file at a time. Any failure ends the
// program with one line naming the file, and takes away what was written.
#pragma once

// Opens path for writing a width x height animation; the file is made at
// once, so a path that cannot be written is found before any work is done.
void OpenGif(const char* path, int width, int height);

// Appends a frame of tightly packed RGB pixels, top row first, shown for
// delay hundredths of a second.
void AddGifFrame(const unsigned char* rgb, int delay);

// Finishes the file and closes it.
void CloseGif();

// What the unit tests share: a real GL context, a scratch folder, captured
// stderr and BMP files built byte by byte.
#pragma once

#include "tools/bmp_bytes.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// Opens a 600 x 600 window with an OpenGL 2.0 context on the test's display
// (Xvfb in CI), once per process, makes it current and clears GL's errors.
void OpenTestWindow();

// This process's scratch folder, made on first use and removed at exit.
std::string ScratchDir();

// Makes the files at paths fail to open from now until UnblockOpening, as
// when another program holds them (elsewhere than on Windows, every file).
void BlockOpening(std::initializer_list<const char*> paths);
void UnblockOpening();

// The info log GL gives a shader of type compiled from source.
std::string InfoLogOf(unsigned type, const char* source);

// Writes bytes to name in the scratch folder and returns its path.
std::string WriteScratchFile(const std::string& name, const std::string& bytes);

// Runs work and returns what it wrote to stderr.
template <typename Work>
std::string StderrOf(Work work)
{
    testing::internal::CaptureStderr();
    work();
    return testing::internal::GetCapturedStderr();
}

// Tightly packed RGB pixels in which neighbouring bytes differ, so a skipped
// padding byte or a swapped channel shows.
std::vector<unsigned char> DistinctRgb(int width, int height);

// A valid file of width x height DistinctRgb pixels.
std::string BmpOf(int width, int height);

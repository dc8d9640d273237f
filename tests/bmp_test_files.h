// BMP files for the loader's tests, in a scratch folder of the test process.
#pragma once

#include "tools/bmp_bytes.h"

#include <string>
#include <vector>

// Path of name in the scratch folder. The folder is shared with death-test
// children (through the environment), so a path, and any message naming it,
// is the same in the test and in the child that dies.
std::string BmpTestPath(const char* name);

// Writes bytes to name in the scratch folder and returns the path.
std::string WriteBmpTestFile(const char* name, const std::vector<unsigned char>& bytes);

// Tightly packed RGB pixels in which neighbouring bytes differ, so a skipped
// padding byte or a swapped channel shows.
std::vector<unsigned char> DistinctRgb(int width, int height);

// A valid 4x3 image's file with the header fields set by edit.
template <typename Edit>
std::vector<unsigned char> EditedBmp(Edit edit)
{
    BmpFields fields;
    fields.width = 4;
    fields.height = 3;
    edit(fields);
    return BmpFileBytes(fields, BmpPixelData(4, 3, DistinctRgb(4, 3)));
}

// Fills message from format, whose one %s takes path.
std::string MessageFor(const char* format, const std::string& path);

// Builds the bytes of BMP files, well-formed or deliberately broken: used by
// the sprite generator and the loader's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The header fields the loader reads. Every field is written as given, so a
// test can store any value, valid or not.
struct BmpFields {
    bool bigEndian = false;          // "MB" magic with big-endian fields
    uint32_t pixelOffset = 54;       // file offset of the first pixel byte
    int32_t width = 1;               // pixels
    int32_t height = 1;              // pixels; negative marks a top-down file
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;        // 0 = none, 1 = 8-bit run-length, ...
};

// Size in bytes of one stored row of a 24-bit image: 3 bytes per pixel,
// padded to a multiple of 4.
size_t BmpRowBytes(int width);

// Turns tightly packed RGB pixels (width * height * 3 bytes, bottom row
// first) into BMP pixel data: blue-green-red order, rows padded with zeros.
std::vector<unsigned char> BmpPixelData(int width, int height, const std::vector<unsigned char>& rgb);

// A whole file: the 54-byte header with the given fields, zeros up to
// pixelOffset when that lies beyond the header, then pixelData as given.
std::vector<unsigned char> BmpFileBytes(const BmpFields& fields, const std::vector<unsigned char>& pixelData);

// A complete, valid 24-bit file of the given RGB pixels.
std::vector<unsigned char> BmpFileOf(int width, int height, const std::vector<unsigned char>& rgb);

// Writes bytes to path, replacing any file there. Returns false on failure.
bool WriteBytesToFile(const std::string& path, const std::vector<unsigned char>& bytes);

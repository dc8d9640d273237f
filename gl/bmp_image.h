// Reads and checks an uncompressed 24-bit BMP image, without any GL: the
// texture loader uploads what it yields, and tests and the fuzzer drive it
// directly.
#pragma once

#include "gl/failure.h"

#include <cstddef>
#include <cstdio>

// A checked image, ready for glTexImage2D with an unpack alignment of 4.
struct BmpImage {
    int width;              // pixels, 1 to the maximum texture size
    int height;             // pixels, 1 to the maximum texture size
    size_t rowBytes;        // bytes per row: 3 * width padded to a multiple of 4
    unsigned char* rows;    // height rows of red-green-blue texels, bottom row
                            // first, from malloc; padding bytes are as stored
};

// Opens path for binary reading and reads it with ReadBmpImage. A file that
// cannot be opened gives "Cannot open file <path>\n"; a path that is not a
// regular file (a folder, a named pipe, a device) is never read and gives
// "Cannot read file <path>: not a regular file\n".
bool LoadBmpImage(const char* path, int maxTextureSize, BmpImage* image, Failure* failure);

// Reads the BMP image from file, positioned at its start, checking in a fixed
// order: magic ("BM", or "MB" for big-endian fields), header, width, height
// (each 1 to maxTextureSize), planes (1), bits per pixel (24), compression
// (none), then the pixel data. On success fills image and returns true. On
// the first defect sets the failure's message for the user (naming path,
// ending in a newline) and returns false, with nothing allocated.
bool ReadBmpImage(FILE* file, const char* path, int maxTextureSize, BmpImage* image, Failure* failure);

// The bytes at the start of a file that hold everything CheckBmpStart needs.
inline constexpr size_t BmpHeaderStartBytes = 34;

// Checks what ReadBmpImage checks before it reads the pixels, given only the
// first count bytes of a file (BmpHeaderStartBytes are enough) and its whole
// length in bytes: the same messages, in the same order, with nothing read
// or allocated for the pixels. For a file too big to copy before it is known
// to be one the loader takes.
bool CheckBmpStart(const unsigned char* start, size_t count, long long fileLength, const char* path,
                   int maxTextureSize, Failure* failure);

// Releases the pixel rows of an image that was read successfully.
void FreeBmpImage(BmpImage* image);

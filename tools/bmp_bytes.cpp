#include "tools/bmp_bytes.h"

#include <cstdio>

static const size_t HeaderBytes = 54;      // file header (14) + info header (40)
static const uint32_t InfoHeaderBytes = 40;
static const uint32_t PixelsPerMetre = 2835;   // 72 dots per inch

size_t BmpRowBytes(int width)
{
    return (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
}

std::vector<unsigned char> BmpPixelData(int width, int height, const std::vector<unsigned char>& rgb)
{
    const size_t rowBytes = BmpRowBytes(width);
    std::vector<unsigned char> data(rowBytes * static_cast<size_t>(height), 0);
    for (size_t row = 0; row < static_cast<size_t>(height); row++) {
        for (size_t column = 0; column < static_cast<size_t>(width); column++) {
            const unsigned char* from = &rgb[(row * static_cast<size_t>(width) + column) * 3];
            unsigned char* to = &data[row * rowBytes + column * 3];
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return data;
}

// Stores value in size bytes at at, in the byte order the magic announces.
static void PutField(unsigned char* at, uint32_t value, size_t size, bool bigEndian)
{
    for (size_t i = 0; i < size; i++) {
        const size_t shift = 8 * (bigEndian ? size - 1 - i : i);
        at[i] = static_cast<unsigned char>(value >> shift);
    }
}

std::vector<unsigned char> BmpFileBytes(const BmpFields& fields, const std::vector<unsigned char>& pixelData)
{
    const size_t start = fields.pixelOffset > HeaderBytes ? fields.pixelOffset : HeaderBytes;
    std::vector<unsigned char> bytes(start, 0);
    const bool big = fields.bigEndian;
    bytes[0] = big ? 'M' : 'B';
    bytes[1] = big ? 'B' : 'M';
    PutField(&bytes[2], static_cast<uint32_t>(start + pixelData.size()), 4, big);
    PutField(&bytes[10], fields.pixelOffset, 4, big);
    PutField(&bytes[14], InfoHeaderBytes, 4, big);
    PutField(&bytes[18], static_cast<uint32_t>(fields.width), 4, big);
    PutField(&bytes[22], static_cast<uint32_t>(fields.height), 4, big);
    PutField(&bytes[26], fields.planes, 2, big);
    PutField(&bytes[28], fields.bitsPerPixel, 2, big);
    PutField(&bytes[30], fields.compression, 4, big);
    PutField(&bytes[34], static_cast<uint32_t>(pixelData.size()), 4, big);
    PutField(&bytes[38], PixelsPerMetre, 4, big);
    PutField(&bytes[42], PixelsPerMetre, 4, big);
    bytes.insert(bytes.end(), pixelData.begin(), pixelData.end());
    return bytes;
}

std::vector<unsigned char> BmpFileOf(int width, int height, const std::vector<unsigned char>& rgb)
{
    BmpFields fields;
    fields.width = width;
    fields.height = height;
    return BmpFileBytes(fields, BmpPixelData(width, height, rgb));
}

bool WriteBytesToFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = bytes.empty() || fwrite(bytes.data(), bytes.size(), 1, file) == 1;
    return fclose(file) == 0 && written;
}

// Writes the fuzzer's seed corpus into a folder: valid BMP images of awkward
// widths and layouts, and one file for each defect the loader must report.
// Usage: make_bmp_seeds <folder>

#include "tools/bmp_bytes.h"

#include <cstdio>
#include <string>
#include <vector>

// Pixels whose bytes all differ, so a misplaced byte changes the image.
static std::vector<unsigned char> Gradient(int width, int height)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width * height * 3));
    for (size_t i = 0; i < rgb.size(); i++)
        rgb[i] = static_cast<unsigned char>(i * 7 + 1);
    return rgb;
}

// A valid 4x3 image's file with one header field changed by edit.
template <typename Edit>
static std::vector<unsigned char> Broken(Edit edit)
{
    BmpFields fields;
    fields.width = 4;
    fields.height = 3;
    edit(fields);
    return BmpFileBytes(fields, BmpPixelData(4, 3, Gradient(4, 3)));
}

static std::vector<unsigned char> Truncated(std::vector<unsigned char> bytes, size_t length)
{
    bytes.resize(length);
    return bytes;
}

static std::vector<unsigned char> WithByte(std::vector<unsigned char> bytes, size_t index, unsigned char value)
{
    bytes[index] = value;
    return bytes;
}

struct Seed {
    const char* name;
    std::vector<unsigned char> bytes;
};

static std::vector<Seed> Seeds()
{
    const std::vector<unsigned char> valid = BmpFileOf(4, 3, Gradient(4, 3));
    return {
        {"width1.bmp", BmpFileOf(1, 3, Gradient(1, 3))},
        {"width2.bmp", BmpFileOf(2, 2, Gradient(2, 2))},
        {"width3.bmp", BmpFileOf(3, 2, Gradient(3, 2))},
        {"width4.bmp", valid},
        {"width5.bmp", BmpFileOf(5, 2, Gradient(5, 2))},
        {"width7.bmp", BmpFileOf(7, 5, Gradient(7, 5))},
        {"big_endian.bmp", Broken([](BmpFields& f) { f.bigEndian = true; })},
        {"offset_beyond_header.bmp", Broken([](BmpFields& f) { f.pixelOffset = 138; })},
        {"one_byte.bmp", Truncated(valid, 1)},
        {"magic_only.bmp", Truncated(valid, 2)},
        {"inside_header.bmp", Truncated(valid, 30)},
        {"wrong_magic.bmp", WithByte(valid, 1, 'A')},
        {"top_down.bmp", Broken([](BmpFields& f) { f.height = -3; })},
        {"width0.bmp", Broken([](BmpFields& f) { f.width = 0; })},
        {"huge.bmp", Broken([](BmpFields& f) { f.width = f.height = 32768; })},
        {"planes2.bmp", Broken([](BmpFields& f) { f.planes = 2; })},
        {"bits8.bmp", Broken([](BmpFields& f) { f.bitsPerPixel = 8; })},
        {"bits32.bmp", Broken([](BmpFields& f) { f.bitsPerPixel = 32; })},
        {"rle.bmp", Broken([](BmpFields& f) { f.compression = 1; })},
        {"data_short.bmp", Truncated(valid, valid.size() - 1)},
        // The top byte of the pixel data offset: 16 MiB past the end.
        {"offset_past_end.bmp", WithByte(valid, 13, 1)},
    };
}

int main(int argc, char* argv[])
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (const Seed& seed : Seeds()) {
        const std::string path = std::string(argv[1]) + "/" + seed.name;
        if (!WriteBytesToFile(path, seed.bytes)) {
            fprintf(stderr, "Cannot write seed file %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

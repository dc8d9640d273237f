#include "gl/bmp_image.h"
#include "tests/bmp_test_files.h"
#include "tools/particle_glow.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

static const int MaxSize = 64;   // the GL maximum texture size these tests assume

struct ReadResult {
    bool ok;
    BmpImage image;
    std::string message;
};

static ReadResult ReadBmp(const std::string& path, int maxSize = MaxSize)
{
    ReadResult result{};
    Failure failure{};
    result.ok = LoadBmpImage(path.c_str(), maxSize, &result.image, &failure);
    result.message = failure.message;
    return result;
}

// The image's texels, tightly packed, with the row padding dropped.
static std::vector<unsigned char> TexelsOf(const BmpImage& image)
{
    std::vector<unsigned char> texels;
    for (int row = 0; row < image.height; row++) {
        const unsigned char* start = image.rows + static_cast<size_t>(row) * image.rowBytes;
        texels.insert(texels.end(), start, start + image.width * 3);
    }
    return texels;
}

static std::vector<unsigned char> Truncated(std::vector<unsigned char> bytes, size_t length)
{
    bytes.resize(length);
    return bytes;
}

struct RejectedFile {
    const char* name;
    std::vector<unsigned char> bytes;
    const char* message;   // %s stands for the file's path
};

TEST(ReadBmpImage, ReportsTheFirstDefectOfEachBrokenFileWithItsOwnMessage)
{
    const std::vector<unsigned char> valid = EditedBmp([](BmpFields&) {});
    std::vector<unsigned char> wrongMagic = valid;
    wrongMagic[1] = 'A';
    std::vector<unsigned char> offsetPastEnd = valid;
    offsetPastEnd[11] = 1;   // pixel data offset 54 + 256: past the end of the 90-byte file
    const RejectedFile cases[] = {
        {"empty.bmp", {}, "Cannot read magic from %s\n"},
        {"one_byte.bmp", {'B'}, "Cannot read magic from %s\n"},
        {"wrong_magic.bmp", wrongMagic, "Image magic not BMP in %s\n"},
        {"magic_only.bmp", Truncated(valid, 2), "Cannot read header from %s\n"},
        {"inside_header.bmp", Truncated(valid, 33), "Cannot read header from %s\n"},
        {"width0.bmp", EditedBmp([](BmpFields& f) { f.width = 0; }), "%s image width 0 out of range 1-64\n"},
        {"width65.bmp", EditedBmp([](BmpFields& f) { f.width = 65; }), "%s image width 65 out of range 1-64\n"},
        {"width_minus1.bmp", EditedBmp([](BmpFields& f) { f.width = -1; }), "%s image width -1 out of range 1-64\n"},
        {"height0.bmp", EditedBmp([](BmpFields& f) { f.height = 0; }), "%s image height 0 out of range 1-64\n"},
        {"height65.bmp", EditedBmp([](BmpFields& f) { f.height = 65; }), "%s image height 65 out of range 1-64\n"},
        {"top_down.bmp", EditedBmp([](BmpFields& f) { f.height = -3; }), "%s image height -3 out of range 1-64\n"},
        {"planes2.bmp", EditedBmp([](BmpFields& f) { f.planes = 2; }), "%s bit planes is not 1: 2\n"},
        {"planes_max.bmp", EditedBmp([](BmpFields& f) { f.planes = 0xFFFF; }), "%s bit planes is not 1: 65535\n"},
        {"bits8.bmp", EditedBmp([](BmpFields& f) { f.bitsPerPixel = 8; }), "%s bits per pixel is not 24: 8\n"},
        {"bits32.bmp", EditedBmp([](BmpFields& f) { f.bitsPerPixel = 32; }), "%s bits per pixel is not 24: 32\n"},
        {"bits_max.bmp", EditedBmp([](BmpFields& f) { f.bitsPerPixel = 0xFFFF; }), "%s bits per pixel is not 24: 65535\n"},
        {"rle8.bmp", EditedBmp([](BmpFields& f) { f.compression = 1; }), "%s compressed files not supported\n"},
        {"big_endian_bits8.bmp", EditedBmp([](BmpFields& f) { f.bigEndian = true; f.bitsPerPixel = 8; }),
         "%s bits per pixel is not 24: 8\n"},
        // Several defects: only the first in checking order is reported.
        {"width_and_bits.bmp", EditedBmp([](BmpFields& f) { f.width = 0; f.bitsPerPixel = 8; }),
         "%s image width 0 out of range 1-64\n"},
        {"planes_and_bits.bmp", EditedBmp([](BmpFields& f) { f.planes = 0; f.bitsPerPixel = 8; }),
         "%s bit planes is not 1: 0\n"},
        {"bits_and_rle.bmp", EditedBmp([](BmpFields& f) { f.bitsPerPixel = 32; f.compression = 3; }),
         "%s bits per pixel is not 24: 32\n"},
        // Rows are padded to 4 bytes: the last row's padding is data too.
        {"data_short.bmp", Truncated(valid, valid.size() - 1), "Error reading data from image %s\n"},
        {"offset_past_end.bmp", offsetPastEnd, "Error reading data from image %s\n"},
    };
    for (const RejectedFile& rejected : cases) {
        SCOPED_TRACE(rejected.name);
        const std::string path = WriteBmpTestFile(rejected.name, rejected.bytes);
        const ReadResult result = ReadBmp(path);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(MessageFor(rejected.message, path), result.message);
    }
}

TEST(ReadBmpImage, ReportsAMissingFileByName)
{
    const std::string path = BmpTestPath("absent.bmp");
    EXPECT_EQ(MessageFor("Cannot open file %s\n", path), ReadBmp(path).message);
}

// A file that declares more rows than it holds, 3 * 32768 x 32768 bytes of
// them: it must be turned down before a buffer of that size is asked for.
TEST(ReadBmpImage, RejectsAHugeImageInATinyFileAsShortData)
{
    const std::string path = WriteBmpTestFile("huge.bmp", EditedBmp([](BmpFields& f) {
        f.width = f.height = 32768;
    }));
    const ReadResult result = ReadBmp(path, 32768);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(MessageFor("Error reading data from image %s\n", path), result.message);
}

#if !defined(__SANITIZE_ADDRESS__)
// Caps the process's address space, so that a huge allocation really fails.
static void LimitAddressSpace(rlim_t bytes)
{
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_AS, &limit);
}

// Prints what reading path with an address space of 2 GiB gives, and exits.
[[noreturn]] static void ReadWithTwoGiB(const std::string& path)
{
    LimitAddressSpace(rlim_t{2} << 30);
    const ReadResult result = ReadBmp(path, 32768);
    fputs(result.ok ? "loaded\n" : result.message.c_str(), stderr);
    exit(result.ok ? 0 : 1);
}

TEST(ReadBmpImageDeathTest, CountsTheBytesOfAHugeImageIn64Bits)
{
    // A sparse file long enough for 32768 padded rows of 98304 bytes: 3 GiB
    // that take no disk space, and more than the allocation may have.
    const std::string path = WriteBmpTestFile("huge_sparse.bmp", EditedBmp([](BmpFields& f) {
        f.width = f.height = 32768;
    }));
    ASSERT_EQ(0, truncate(path.c_str(), 54 + 3221225472LL));
    EXPECT_EXIT(ReadWithTwoGiB(path), testing::ExitedWithCode(1),
                "^" + MessageFor("Cannot allocate 3221225472 bytes of memory for image %s\n", path) + "$");
}

TEST(ReadBmpImageDeathTest, TurnsDownAHugeImageInATinyFileWithoutAllocating)
{
    const std::string path = WriteBmpTestFile("huge_tiny.bmp", EditedBmp([](BmpFields& f) {
        f.width = f.height = 32768;
    }));
    EXPECT_EXIT(ReadWithTwoGiB(path), testing::ExitedWithCode(1),
                "^" + MessageFor("Error reading data from image %s\n", path) + "$");
}
#endif

struct AcceptedFile {
    const char* name;
    int width;
    bool bigEndian;
    uint32_t pixelOffset;
};

TEST(ReadBmpImage, YieldsRgbRowsPaddedTo4BytesForEveryWidthAndLayout)
{
    const AcceptedFile cases[] = {
        {"width1.bmp", 1, false, 54},
        {"width2.bmp", 2, false, 54},
        {"width3.bmp", 3, false, 54},
        {"width4.bmp", 4, false, 54},
        {"width5.bmp", 5, false, 54},
        {"big_endian.bmp", 3, true, 54},
        {"offset138.bmp", 5, false, 138},   // a version 5 info header
    };
    for (const AcceptedFile& accepted : cases) {
        SCOPED_TRACE(accepted.name);
        BmpFields fields;
        fields.bigEndian = accepted.bigEndian;
        fields.pixelOffset = accepted.pixelOffset;
        fields.width = accepted.width;
        fields.height = 3;
        const std::vector<unsigned char> rgb = DistinctRgb(accepted.width, 3);
        std::vector<unsigned char> bytes = BmpFileBytes(fields, BmpPixelData(accepted.width, 3, rgb));
        // Junk between the header and the pixels must not be read as pixels.
        for (size_t i = 54; i < accepted.pixelOffset; i++)
            bytes[i] = 0xA5;
        ReadResult result = ReadBmp(WriteBmpTestFile(accepted.name, bytes));
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(accepted.width, result.image.width);
        EXPECT_EQ(3, result.image.height);
        EXPECT_EQ(BmpRowBytes(accepted.width), result.image.rowBytes);
        EXPECT_EQ(rgb, TexelsOf(result.image));
        FreeBmpImage(&result.image);
    }
}

TEST(ReadBmpImage, AcceptsSidesEqualToTheMaximumTextureSize)
{
    const std::vector<unsigned char> rgb = DistinctRgb(MaxSize, MaxSize);
    ReadResult result = ReadBmp(WriteBmpTestFile("max.bmp", BmpFileOf(MaxSize, MaxSize, rgb)));
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(rgb, TexelsOf(result.image));
    FreeBmpImage(&result.image);
}

static std::vector<unsigned char> FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ShippedSprite, IsTheGeneratedGlow)
{
    EXPECT_EQ(ParticleGlowBmp(), FileBytes(GLITTER_ASSET_DIR "/particle.bmp"))
        << "assets/particle.bmp is stale: rebuild it with the particle_bmp target";
}

// The fire blends sprites additively: black adds nothing, so the glow must
// reach black before the square's edge and be grey for the shader to tint.
TEST(ShippedSprite, IsAGreyRoundGlowFadingToBlackBeforeTheEdges)
{
    ReadResult result = ReadBmp(GLITTER_ASSET_DIR "/particle.bmp");
    ASSERT_TRUE(result.ok) << result.message;
    const BmpImage& image = result.image;
    ASSERT_EQ(64, image.width);
    ASSERT_EQ(64, image.height);
    auto grey = [&](int column, int row) {
        const unsigned char* texel = image.rows + static_cast<size_t>(row) * image.rowBytes + column * 3;
        EXPECT_TRUE(texel[0] == texel[1] && texel[1] == texel[2]) << column << "," << row;
        return int(texel[0]);
    };
    EXPECT_GE(grey(31, 32), 250);
    for (int i = 0; i < 64; i++) {
        EXPECT_EQ(0, grey(i, 0) + grey(i, 63) + grey(0, i) + grey(63, i)) << "edge " << i;
        EXPECT_EQ(grey(i, 20), grey(63 - i, 20)) << "mirror " << i;
        EXPECT_EQ(grey(i, 20), grey(20, i)) << "diagonal " << i;
    }
    for (int column = 33; column < 64; column++)
        EXPECT_LE(grey(column, 32), grey(column - 1, 32)) << "falloff at " << column;
    FreeBmpImage(&result.image);
}

#include "gl/bmp_image.h"
#include "tests/support.h"

#include <algorithm>

// text with each "@" replaced by path: expected messages name their file.
static std::string WithPath(const std::string& text, const std::string& path)
{
    std::string filled;
    for (char c : text)
        filled += c == '@' ? path : std::string(1, c);
    return filled;
}

// A valid 4 x 3 image's file with the header fields set by edit.
template <typename Edit>
static std::string EditedBmp(Edit edit)
{
    BmpFields fields;
    fields.width = 4;
    fields.height = 3;
    edit(fields);
    const std::vector<unsigned char> bytes = BmpFileBytes(fields, BmpPixelData(4, 3, DistinctRgb(4, 3)));
    return {bytes.begin(), bytes.end()};
}

static const int MaxSize = 64;   // the GL maximum texture size these tests assume

// What reading path says: its message, or "" when the image reads.
static std::string ReadBmp(const std::string& path, int maxSize = MaxSize)
{
    BmpImage image;
    Failure failure{};
    if (!LoadBmpImage(path.c_str(), maxSize, &image, &failure))
        return failure.message;
    FreeBmpImage(&image);
    return "";
}

// What checking the start of bytes, a whole file at path, says before any
// pixel is read: its message, or "".
static std::string CheckStart(const std::string& bytes, const std::string& path)
{
    Failure failure{};
    const size_t count = std::min(bytes.size(), BmpHeaderStartBytes);
    const auto* start = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto length = static_cast<long long>(bytes.size());
    return CheckBmpStart(start, count, length, path.c_str(), MaxSize, &failure) ? "" : failure.message;
}

// Every file is read whole, and its start checked alone, as the web page
// checks a dropped sprite before it copies it: both say the same.
TEST(ReadBmpImage, ReportsTheFirstDefectOfEachBrokenFileWithItsOwnMessage)
{
    const std::string valid = EditedBmp([](BmpFields&) {});
    std::string wrongMagic = valid;
    wrongMagic[1] = 'A';
    std::string offsetPastEnd = valid;
    offsetPastEnd[11] = 1;   // pixel data offset 54 + 256: past the end of the 90-byte file
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;   // "@" stands for the file's path; "" for a file that loads
    } cases[] = {
        {"absent.bmp", "", "Cannot open file @\n"},   // never written
        {"empty.bmp", "", "Cannot read magic from @\n"},
        {"wrong_magic.bmp", wrongMagic, "Image magic not BMP in @\n"},
        {"inside_header.bmp", valid.substr(0, 33), "Cannot read header from @\n"},
        {"width0.bmp", EditedBmp([](BmpFields& f) { f.width = 0; }), "@ image width 0 out of range 1-64\n"},
        {"width64.bmp", BmpOf(64, 1), ""},   // the texels of images that load are tested with GL
        {"width65.bmp", EditedBmp([](BmpFields& f) { f.width = 65; }), "@ image width 65 out of range 1-64\n"},
        {"height64.bmp", BmpOf(1, 64), ""},
        {"height65.bmp", EditedBmp([](BmpFields& f) { f.height = 65; }), "@ image height 65 out of range 1-64\n"},
        {"top_down.bmp", EditedBmp([](BmpFields& f) { f.height = -3; }), "@ image height -3 out of range 1-64\n"},
        {"planes2.bmp", EditedBmp([](BmpFields& f) { f.planes = 2; }), "@ bit planes is not 1: 2\n"},
        {"planes_max.bmp", EditedBmp([](BmpFields& f) { f.planes = 0xFFFF; }), "@ bit planes is not 1: 65535\n"},
        {"bits_max.bmp", EditedBmp([](BmpFields& f) { f.bitsPerPixel = 0xFFFF; }), "@ bits per pixel is not 24: 65535\n"},
        {"rle8.bmp", EditedBmp([](BmpFields& f) { f.compression = 1; }), "@ compressed files not supported\n"},
        // Two defects each: only the one checked first is reported, for every
        // pair of neighbours in the checking order.
        {"width_and_height.bmp", EditedBmp([](BmpFields& f) { f.width = 0; f.height = 0; }),
         "@ image width 0 out of range 1-64\n"},
        {"height_and_planes.bmp", EditedBmp([](BmpFields& f) { f.height = 0; f.planes = 2; }),
         "@ image height 0 out of range 1-64\n"},
        {"planes_and_bits.bmp", EditedBmp([](BmpFields& f) { f.planes = 0; f.bitsPerPixel = 8; }),
         "@ bit planes is not 1: 0\n"},
        {"bits_and_rle.bmp", EditedBmp([](BmpFields& f) { f.bitsPerPixel = 8; f.compression = 1; }),
         "@ bits per pixel is not 24: 8\n"},
        // Rows are padded to 4 bytes: the last row's padding is data too.
        {"data_short.bmp", valid.substr(0, valid.size() - 1), "Error reading data from image @\n"},
        {"offset_past_end.bmp", offsetPastEnd, "Error reading data from image @\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = ScratchDir() + "/" + c.name;
        if (std::string(c.name) == "absent.bmp") {
            EXPECT_EQ(WithPath(c.message, path), ReadBmp(path));
            continue;
        }
        WriteScratchFile(c.name, c.bytes);
        EXPECT_EQ(WithPath(c.message, path), ReadBmp(path));
        EXPECT_EQ(WithPath(c.message, path), CheckStart(c.bytes, path));
    }
}

// Elsewhere than on Windows, and not under AddressSanitizer, whose shadow
// memory needs more address space than this allows.
#if !defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)
#include <sys/resource.h>
#include <unistd.h>

// 32768 x 32768 pixels: 3 GiB of rows, more than a 32-bit count holds. Read
// with the address space capped at 2 GiB, an attempt to allocate that much
// really fails.
TEST(ReadBmpImage, CountsHugeImagesIn64BitsAndChecksTheFileBeforeAllocating)
{
    const std::string huge = EditedBmp([](BmpFields& f) { f.width = f.height = 32768; });
    const std::string tiny = WriteScratchFile("huge_tiny.bmp", huge);
    const std::string sparse = WriteScratchFile("huge_sparse.bmp", huge);
    ASSERT_EQ(0, truncate(sparse.c_str(), 54 + 3221225472LL));   // holds it all, on no disk space
    rlimit unlimited, capped;
    getrlimit(RLIMIT_AS, &unlimited);
    capped = {rlim_t{2} << 30, unlimited.rlim_max};
    setrlimit(RLIMIT_AS, &capped);
    const std::string tinyMessage = ReadBmp(tiny, 32768), sparseMessage = ReadBmp(sparse, 32768);
    setrlimit(RLIMIT_AS, &unlimited);
    EXPECT_EQ("Error reading data from image " + tiny + "\n", tinyMessage);
    EXPECT_EQ("Cannot allocate 3221225472 bytes of memory for image " + sparse + "\n", sparseMessage);
}
#endif

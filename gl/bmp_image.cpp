#include "gl/bmp_image.h"

#include "gl/files.h"

#include <cinttypes>
#include <cstdint>
#include <cstdlib>

static const unsigned MagicBM = 0x4D42;   // "BM" read as a little-endian 16-bit value
static const unsigned MagicMB = 0x424D;   // "MB": the same, stored byte-swapped

// Bytes 2 to 33 of the file: file size, reserved, pixel data offset, info
// header size, width, height, planes, bits per pixel, compression.
static const size_t HeaderBytes = 32;
static_assert(BmpHeaderStartBytes == 2 + HeaderBytes, "the magic, then the header");

// The header fields the loader uses, as stored (width and height unsigned:
// a negative, top-down height shows up as a huge value and fails the range
// check).
struct BmpHeader {
    uint32_t pixelOffset;
    uint32_t width;
    uint32_t height;
    uint16_t planes;
    uint16_t bitsPerPixel;
    uint32_t compression;
};

// Decodes an unsigned field of size bytes that starts at offset bytes into
// the header, in the byte order the magic announced.
static uint32_t Field(const unsigned char* header, size_t offset, size_t size, bool bigEndian)
{
    uint32_t value = 0;
    for (size_t i = 0; i < size; i++) {
        const unsigned char byte = header[offset + (bigEndian ? i : size - 1 - i)];
        value = value << 8 | byte;
    }
    return value;
}

// Decodes the magic and the header from the count bytes at the start of a
// file (enough are HeaderStartBytes). Returns false with failure set.
static bool ParseHeader(const unsigned char* start, size_t count, const char* path, BmpHeader* fields,
                        Failure* failure)
{
    if (count < 2)
        return FailToRead(failure, "Cannot read magic from %s\n", path);
    const unsigned magic = start[0] | unsigned(start[1]) << 8;
    if (magic != MagicBM && magic != MagicMB)
        return Fail(failure, "Image magic not BMP in %s\n", path);
    if (count < 2 + HeaderBytes)
        return FailToRead(failure, "Cannot read header from %s\n", path);
    const unsigned char* header = start + 2;
    const bool bigEndian = magic == MagicMB;
    fields->pixelOffset = Field(header, 8, 4, bigEndian);
    fields->width = Field(header, 16, 4, bigEndian);
    fields->height = Field(header, 20, 4, bigEndian);
    fields->planes = static_cast<uint16_t>(Field(header, 24, 2, bigEndian));
    fields->bitsPerPixel = static_cast<uint16_t>(Field(header, 26, 2, bigEndian));
    fields->compression = Field(header, 28, 4, bigEndian);
    return true;
}

// Checks the fields in the order the user learns of them: only the first
// defect is reported. Sizes are printed signed, so a top-down height shows
// as negative; planes and bits as the unsigned 16-bit values stored.
static bool CheckHeader(const BmpHeader& fields, const char* path, int maxTextureSize, Failure* failure)
{
    const uint32_t maxSize = maxTextureSize > 0 ? static_cast<uint32_t>(maxTextureSize) : 0;
    if (fields.width < 1 || fields.width > maxSize)
        return Fail(failure, "%s image width %d out of range 1-%d\n",
                    path, static_cast<int32_t>(fields.width), maxTextureSize);
    if (fields.height < 1 || fields.height > maxSize)
        return Fail(failure, "%s image height %d out of range 1-%d\n",
                    path, static_cast<int32_t>(fields.height), maxTextureSize);
    if (fields.planes != 1)
        return Fail(failure, "%s bit planes is not 1: %d\n", path, int(fields.planes));
    if (fields.bitsPerPixel != 24)
        return Fail(failure, "%s bits per pixel is not 24: %d\n",
                    path, int(fields.bitsPerPixel));
    if (fields.compression != 0)
        return Fail(failure, "%s compressed files not supported\n", path);
    return true;
}

// Length of the file in bytes, or -1 if it cannot be measured (a pipe, say).
static long FileLength(FILE* file)
{
    if (fseek(file, 0, SEEK_END) != 0)
        return -1;
    return ftell(file);
}

// Swaps blue and red in every pixel, row by row, leaving the padding alone.
static void BgrToRgb(BmpImage* image)
{
    for (int row = 0; row < image->height; row++) {
        unsigned char* pixel = image->rows + static_cast<size_t>(row) * image->rowBytes;
        for (int column = 0; column < image->width; column++, pixel += 3) {
            const unsigned char blue = pixel[0];
            pixel[0] = pixel[2];
            pixel[2] = blue;
        }
    }
}

// Bytes per row, padded to 4 as stored, and of all the rows: in 64 bits, as
// 32768 x 32768 x 3 bytes does not fit in a 32-bit int.
static uint64_t RowBytes(const BmpHeader& fields)
{
    return (uint64_t{fields.width} * 3 + 3) / 4 * 4;
}

static uint64_t DataBytes(const BmpHeader& fields)
{
    return RowBytes(fields) * fields.height;
}

// Whether a file of fileLength bytes (-1: unknown) holds the pixel data the
// header declares. A small file that merely declares a huge image fails
// here, before a large buffer is allocated for data it cannot hold.
static bool CheckDataFits(const BmpHeader& fields, long long fileLength, const char* path, Failure* failure)
{
    if (fileLength < 0 || uint64_t{fields.pixelOffset} + DataBytes(fields) > static_cast<uint64_t>(fileLength))
        return FailToRead(failure, "Error reading data from image %s\n", path);
    return true;
}

// Reads the pixel rows that the checked header declares into image, with
// blue and red swapped. Returns false with failure set.
static bool ReadPixelRows(FILE* file, const char* path, const BmpHeader& fields, BmpImage* image, Failure* failure)
{
    // Rows are stored padded to 4 bytes, and that is also the layout GL
    // unpacks with its default alignment of 4, so the rows go to GL as read.
    const uint64_t dataBytes = DataBytes(fields);
    if (!CheckDataFits(fields, FileLength(file), path, failure))
        return false;

    unsigned char* rows = nullptr;
    if (dataBytes <= SIZE_MAX)   // always, where size_t has 64 bits
        rows = static_cast<unsigned char*>(malloc(static_cast<size_t>(dataBytes)));
    if (!rows)
        return Fail(failure, "Cannot allocate %" PRIu64 " bytes of memory for image %s\n",
                    dataBytes, path);
    if (fseek(file, static_cast<long>(fields.pixelOffset), SEEK_SET) != 0 ||
        fread(rows, static_cast<size_t>(dataBytes), 1, file) != 1) {
        free(rows);
        return FailToRead(failure, "Error reading data from image %s\n", path);
    }

    image->width = static_cast<int>(fields.width);
    image->height = static_cast<int>(fields.height);
    image->rowBytes = static_cast<size_t>(RowBytes(fields));
    image->rows = rows;
    BgrToRgb(image);
    return true;
}

bool ReadBmpImage(FILE* file, const char* path, int maxTextureSize, BmpImage* image, Failure* failure)
{
    unsigned char start[BmpHeaderStartBytes];
    const size_t count = fread(start, 1, sizeof start, file);
    BmpHeader fields{};
    return ParseHeader(start, count, path, &fields, failure) &&
           CheckHeader(fields, path, maxTextureSize, failure) &&
           ReadPixelRows(file, path, fields, image, failure);
}

bool LoadBmpImage(const char* path, int maxTextureSize, BmpImage* image, Failure* failure)
{
    bool notRegular = false;
    FILE* file = OpenRegularFile(path, &notRegular);
    if (!file && notRegular)
        return Fail(failure, "Cannot read file %s: not a regular file\n", path);
    if (!file)
        return FailToRead(failure, "Cannot open file %s\n", path);
    const bool read = ReadBmpImage(file, path, maxTextureSize, image, failure);
    fclose(file);
    return read;
}

bool CheckBmpStart(const unsigned char* start, size_t count, long long fileLength, const char* path,
                   int maxTextureSize, Failure* failure)
{
    BmpHeader fields{};
    return ParseHeader(start, count, path, &fields, failure) &&
           CheckHeader(fields, path, maxTextureSize, failure) &&
           CheckDataFits(fields, fileLength, path, failure);
}

void FreeBmpImage(BmpImage* image)
{
    free(image->rows);
    image->rows = nullptr;
}

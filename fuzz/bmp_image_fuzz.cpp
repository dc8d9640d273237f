// libFuzzer target for the BMP reader: every input is a whole file. Besides
// the sanitizers' checks, each result is checked against the input's size.

#include "gl/bmp_image.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The largest texture a common desktop GPU takes: big enough that a 32-bit
// byte count of width * height * 3 would overflow.
static const int MaxTextureSize = 32768;
static const char* const Path = "fuzz.bmp";

static void Require(bool condition, const char* what)
{
    if (!condition) {
        fprintf(stderr, "broken promise of ReadBmpImage: %s\n", what);
        abort();
    }
}

// A field of the input's header, in the byte order its magic announces.
static uint32_t InputField(const uint8_t* data, size_t offset, bool bigEndian)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; i++)
        value = value << 8 | data[offset + (bigEndian ? i : 3 - i)];
    return value;
}

// An image that was accepted fits the limits and lies wholly inside the
// input, with the stride GL expects at unpack alignment 4. (Its texels are
// checked by the unit tests.)
static void CheckImage(const BmpImage& image, const uint8_t* data, size_t size)
{
    Require(image.width >= 1 && image.width <= MaxTextureSize, "width in range");
    Require(image.height >= 1 && image.height <= MaxTextureSize, "height in range");
    Require(image.rowBytes == (size_t(image.width) * 3 + 3) / 4 * 4, "rows padded to 4 bytes");
    const size_t offset = InputField(data, 10, data[0] == 'M');
    Require(offset + image.rowBytes * size_t(image.height) <= size, "pixels inside the file");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // fmemopen does not write in mode "rb", whatever its signature says.
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file)
        return 0;   // older C libraries refuse a zero-length buffer
    BmpImage image;
    Failure failure;
    if (ReadBmpImage(file, Path, MaxTextureSize, &image, &failure)) {
        CheckImage(image, data, size);
        FreeBmpImage(&image);
    } else {
        const size_t length = strlen(failure.message);
        Require(length > 0 && failure.message[length - 1] == '\n', "one line of message");
        Require(strstr(failure.message, Path) != nullptr, "message names the file");
    }
    fclose(file);
    return 0;
}

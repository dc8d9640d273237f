// libFuzzer target for the BMP reader: every input is a whole file. Besides
// the sanitizers' checks, each result is checked against the reader's promises.

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

// An image that was accepted fits the limits, with the stride GL expects at
// unpack alignment 4. (Its texels are checked by the unit tests.)
static void CheckImage(const BmpImage& image)
{
    Require(image.width >= 1 && image.width <= MaxTextureSize, "width in range");
    Require(image.height >= 1 && image.height <= MaxTextureSize, "height in range");
    Require(image.rowBytes == (size_t(image.width) * 3 + 3) / 4 * 4, "rows padded to 4 bytes");
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
        CheckImage(image);
        FreeBmpImage(&image);
    } else {
        const size_t length = strlen(failure.message);
        Require(length > 0 && failure.message[length - 1] == '\n', "one line of message");
        Require(strstr(failure.message, Path) != nullptr, "message names the file");
    }
    fclose(file);
    return 0;
}

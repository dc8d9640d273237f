#include "app/gif_writer.h"

#include "gl/diagnostics.h"
#include "gl/files.h"

#include <gif_lib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

static const int PaletteSize = 256;   // the most a GIF frame can have

static char gifPath[4096];
static FILE* file = nullptr;
static GifFileType* gif = nullptr;
static int gifWidth, gifHeight;
// The frame split into its three channels, as the quantiser takes it, and
// its palette indices.
static GifByteType* red;
static GifByteType* green;
static GifByteType* blue;
static GifByteType* indices;

// Ends the program, taking away the half-written file, if it is a file: a
// device or a pipe named as the output stays where it is.
[[noreturn]] static void Fail(const char* why)
{
    if (gif) {
        int ignored;
        EGifCloseFile(gif, &ignored);
    }
    if (file)
        fclose(file);
    bool notRegular = false;
    if (FILE* written = OpenRegularFile(gifPath, &notRegular)) {
        fclose(written);
        remove(gifPath);
    }
    ExitWithError("Cannot write GIF file %s: %s\n", gifPath, why);
}

// giflib's output, through the file we opened; it counts a short write as
// a failure.
static int Write(GifFileType*, const GifByteType* bytes, int count)
{
    return static_cast<int>(fwrite(bytes, 1, static_cast<size_t>(count), file));
}

static void Check(int result)
{
    if (result == GIF_ERROR)
        Fail(ferror(file) ? strerror(errno) : GifErrorString(gif->Error));
}

static GifByteType* Plane(size_t bytes)
{
    GifByteType* plane = static_cast<GifByteType*>(malloc(bytes));
    if (!plane)
        ExitWithError("Cannot allocate %d bytes for the frames of %s\n", static_cast<int>(bytes), gifPath);
    return plane;
}

void OpenGif(const char* path, int width, int height)
{
    snprintf(gifPath, sizeof gifPath, "%s", path);
    gifWidth = width;
    gifHeight = height;
    file = fopen(path, "wb");
    if (!file)
        ExitWithError("Cannot write GIF file %s: %s\n", path, strerror(errno));
    int error = 0;
    gif = EGifOpen(nullptr, Write, &error);
    if (!gif)
        Fail(GifErrorString(error));
    // Frames with their own delays and a loop: GIF89a's extensions.
    EGifSetGifVersion(gif, true);
    Check(EGifPutScreenDesc(gif, width, height, 8, 0, nullptr));
    // The loop: Netscape's application extension, sub-block 1, 0 repeats
    // meaning for ever.
    const GifByteType loop[3] = {1, 0, 0};
    Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE));
    Check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"));
    Check(EGifPutExtensionBlock(gif, sizeof loop, loop));
    Check(EGifPutExtensionTrailer(gif));
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    red = Plane(pixels);
    green = Plane(pixels);
    blue = Plane(pixels);
    indices = Plane(pixels);
}

void AddGifFrame(const unsigned char* rgb, int delay)
{
    const size_t pixels = static_cast<size_t>(gifWidth) * static_cast<size_t>(gifHeight);
    for (size_t i = 0; i < pixels; i++) {
        red[i] = rgb[3 * i];
        green[i] = rgb[3 * i + 1];
        blue[i] = rgb[3 * i + 2];
    }
    GifColorType palette[PaletteSize] = {};
    int colours = PaletteSize;
    if (GifQuantizeBuffer(static_cast<unsigned>(gifWidth), static_cast<unsigned>(gifHeight), &colours, red, green,
                          blue, indices, palette) == GIF_ERROR)
        Fail("the quantiser could not choose its colours");
    GraphicsControlBlock control = {DISPOSE_DO_NOT, false, delay, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
    // Every palette is written whole: its size must be a power of two.
    ColorMapObject* map = GifMakeMapObject(PaletteSize, palette);
    if (!map)
        Fail("out of memory for a palette");
    const int described = EGifPutImageDesc(gif, 0, 0, gifWidth, gifHeight, false, map);
    GifFreeMapObject(map);
    Check(described);
    for (int row = 0; row < gifHeight; row++)
        Check(EGifPutLine(gif, indices + static_cast<size_t>(row) * static_cast<size_t>(gifWidth), gifWidth));
}

void CloseGif()
{
    int error = 0;
    const int closed = EGifCloseFile(gif, &error);
    gif = nullptr;
    if (closed == GIF_ERROR)
        Fail(ferror(file) ? strerror(errno) : GifErrorString(error));
    const bool flushed = fclose(file) == 0;
    file = nullptr;
    if (!flushed)
        Fail(strerror(errno));
    for (GifByteType* plane : {red, green, blue, indices})
        free(plane);
}

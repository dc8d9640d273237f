#include "app/recorder.h"

#include "app/frame.h"
#include "app/gif_writer.h"
#include "app/view.h"
#include "gl/diagnostics.h"
#include "gl/opengl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const size_t FrameBytes = static_cast<size_t>(RecordSize) * RecordSize * 3;

// Frames are drawn off screen, into renderbuffers of exactly the
// recording's size, so that neither the window's size (a window manager may
// change it) nor what covers it can change a recording.
static void DrawOffScreen()
{
    if (!GLEW_EXT_framebuffer_object)
        ExitWithError("Recording needs framebuffer objects (GL_EXT_framebuffer_object), which this OpenGL lacks\n");
    GLuint framebuffer, colour, depth;
    glGenFramebuffersEXT(1, &framebuffer);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    glGenRenderbuffersEXT(1, &colour);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, colour);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, RecordSize, RecordSize);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, colour);
    glGenRenderbuffersEXT(1, &depth);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, RecordSize, RecordSize);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depth);
    if (glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT)
        ExitWithError("Recording needs a %dx%d framebuffer with depth, which this OpenGL refused\n", RecordSize,
                      RecordSize);
    glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT);
    glReadBuffer(GL_COLOR_ATTACHMENT0_EXT);
    reshape(RecordSize, RecordSize);
}

static unsigned char* FrameBuffer()
{
    unsigned char* buffer = static_cast<unsigned char*>(malloc(FrameBytes));
    if (!buffer)
        ExitWithError("Cannot allocate %d bytes for a recorded frame\n", static_cast<int>(FrameBytes));
    return buffer;
}

// Reads the frame just drawn, top row first as a GIF has it (GL's rows run
// from the bottom).
static void ReadFrame(unsigned char* bottomUp, unsigned char* topDown)
{
    const size_t rowBytes = static_cast<size_t>(RecordSize) * 3;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, RecordSize, RecordSize, GL_RGB, GL_UNSIGNED_BYTE, bottomUp);
    for (size_t row = 0; row < static_cast<size_t>(RecordSize); row++)
        memcpy(topDown + row * rowBytes, bottomUp + (RecordSize - 1 - row) * rowBytes, rowBytes);
}

// How long frame k shows, in the hundredths of a second a GIF counts in:
// 3, 3, 4, 3, 3, 4, ... so that every three frames take exactly 0.1 s.
static int DelayOf(int k)
{
    const int hundredths = 100;
    return (k + 1) * hundredths / RecordFramesPerSecond - k * hundredths / RecordFramesPerSecond;
}

void RecordGif(const char* path, double seconds)
{
    OpenGif(path, RecordSize, RecordSize);
    DrawOffScreen();
    unsigned char* bottomUp = FrameBuffer();
    unsigned char* topDown = FrameBuffer();
    // At least one frame, however short the time asked for.
    const long frames = std::max(1L, std::lround(seconds * RecordFramesPerSecond));
    for (int k = 0; k < frames; k++) {
        // The status line shows the recording's own rate, not how fast this
        // machine happens to draw: that differs from run to run and would
        // make two recordings of the same moments differ.
        DrawFrame(static_cast<double>(k) / RecordFramesPerSecond, RecordFramesPerSecond);
        ReadFrame(bottomUp, topDown);
        AddGifFrame(topDown, DelayOf(k));
    }
    free(bottomUp);
    free(topDown);
    CloseGif();
    printf("%s\n", path);
}

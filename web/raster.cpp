// The raster position and the pixel rectangles desktop GL draws at it
// (glDrawPixels), drawn on WebGL as textured rectangles in window
// coordinates, at the raster position's depth, through whatever blending
// and depth state is set. Text at the raster position is overlay.cpp's.
#include "web/gl_compat.h"
#include "web/layer.h"

#include <cstring>

static RasterPosition raster = {0, 0, 0, {1, 1, 1, 1}, true};
static float zoom[2] = {1, 1};

static GLuint pixelProgram = 0;
static GLuint pixelTexture = 0;     // holds the rectangle glDrawPixels draws
static GLuint layerUnitTexture = 0; // bound on the layer's unit

// The last rectangle sent, to send an unchanged one no more: the overlay's
// backing is one pixel drawn every frame.
static const size_t PixelCopyBytes = 64 * 64 * 4;
static unsigned char sentPixels[PixelCopyBytes];
static GLsizei sentWidth = 0, sentHeight = 0;
// Its corners and texture coordinates, interleaved.
static unsigned char cornersCopy[4 * 5 * sizeof(float)];
static SentBuffer cornersBuffer;

static const char* const WindowVertex =
    "attribute vec4 glitter_Vertex;\n"
    "attribute vec2 glitter_TexCoord;\n"
    "varying vec2 texCoord;\n"
    "void main() { gl_Position = glitter_Vertex; texCoord = glitter_TexCoord; }\n";
static const char* const PixelFragment =
    "precision mediump float;\n"
    "uniform sampler2D pixels;\n"
    "varying vec2 texCoord;\n"
    "void main() { gl_FragColor = texture2D(pixels, texCoord); }\n";

RasterPosition& Raster()
{
    return raster;
}

float WindowToClipX(float x)
{
    const GLint* viewport = CurrentViewport();
    return (x - static_cast<float>(viewport[0])) / static_cast<float>(viewport[2]) * 2 - 1;
}

float WindowToClipY(float y)
{
    const GLint* viewport = CurrentViewport();
    return (y - static_cast<float>(viewport[1])) / static_cast<float>(viewport[3]) * 2 - 1;
}

GLuint NewLayerTexture()
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    BindLayerTexture(texture);
    glActiveTexture(LayerTextureUnit);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glActiveTexture(GL_TEXTURE0);
    return texture;
}

void BindLayerTexture(GLuint texture)
{
    if (texture == layerUnitTexture)
        return;
    glActiveTexture(LayerTextureUnit);
    glBindTexture(GL_TEXTURE_2D, texture);
    // The program's own textures stay bound to unit 0, its active unit.
    glActiveTexture(GL_TEXTURE0);
    layerUnitTexture = texture;
}

void SetUpRaster()
{
    layerUnitTexture = 0;
    pixelTexture = 0;
    sentWidth = sentHeight = 0;
    cornersBuffer = SentBuffer{cornersCopy, sizeof cornersCopy, 0, 0, 0};
    pixelProgram = BuildLayerProgram(WindowVertex, PixelFragment, LayerVertexLocation, LayerColourLocation);
    UseGLProgram(pixelProgram);
    glUniform1i(glGetUniformLocation(pixelProgram, "pixels"), static_cast<GLint>(LayerTextureUnit - GL_TEXTURE0));
    RestoreUserProgram();
}

static void SetRaster(float x, float y, float depth, bool valid)
{
    raster.x = x, raster.y = y, raster.depth = depth, raster.valid = valid;
    memcpy(raster.colour, CurrentColour(), sizeof raster.colour);
}

void glRasterPos3f(GLfloat x, GLfloat y, GLfloat z)
{
    float m[16];
    ModelViewProjection(m);
    float clip[4];
    for (int row = 0; row < 4; row++)
        clip[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    const float w = clip[3];
    bool inside = w > 0;
    for (int i = 0; i < 3; i++)
        inside = inside && clip[i] >= -w && clip[i] <= w;
    const GLint* viewport = CurrentViewport();
    SetRaster(static_cast<float>(viewport[0]) + (clip[0] / w + 1) / 2 * static_cast<float>(viewport[2]),
              static_cast<float>(viewport[1]) + (clip[1] / w + 1) / 2 * static_cast<float>(viewport[3]),
              (clip[2] / w + 1) / 2, inside);
}

void glWindowPos2i(GLint x, GLint y)
{
    SetRaster(static_cast<float>(x), static_cast<float>(y), 0, true);
}

void glPixelZoom(GLfloat x, GLfloat y)
{
    zoom[0] = x, zoom[1] = y;
}

// Sends the rectangle's pixels to the layer's texture unless they are
// those it holds.
static void SendPixels(GLsizei width, GLsizei height, const void* pixels)
{
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (width == sentWidth && height == sentHeight && bytes <= PixelCopyBytes && memcmp(sentPixels, pixels, bytes) == 0)
        return;
    if (!pixelTexture)
        pixelTexture = NewLayerTexture();
    BindLayerTexture(pixelTexture);
    glActiveTexture(LayerTextureUnit);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glActiveTexture(GL_TEXTURE0);
    const bool kept = bytes <= PixelCopyBytes;
    if (kept)
        memcpy(sentPixels, pixels, bytes);
    sentWidth = kept ? width : 0, sentHeight = kept ? height : 0;
}

void glDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels)
{
    FlushOverlay();
    // The overlay's backing is the one rectangle the program draws: RGBA bytes.
    if (!raster.valid || format != GL_RGBA || type != GL_UNSIGNED_BYTE || width <= 0 || height <= 0)
        return;
    SendPixels(width, height, pixels);
    const float left = WindowToClipX(raster.x), right = WindowToClipX(raster.x + static_cast<float>(width) * zoom[0]);
    const float bottom = WindowToClipY(raster.y), top = WindowToClipY(raster.y + static_cast<float>(height) * zoom[1]);
    const float z = raster.depth * 2 - 1;
    const float rectangle[] = {left, bottom, z, 0, 0, right, bottom, z, 1, 0, left, top, z, 0, 1, right, top, z, 1, 1};
    UseGLProgram(pixelProgram);
    BindLayerTexture(pixelTexture);
    SendIfChanged(&cornersBuffer, rectangle, sizeof rectangle);
    PointAttrib(LayerVertexLocation, cornersBuffer, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), 0);
    PointAttrib(TexCoordLocation, cornersBuffer, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float), 3 * sizeof(float));
    UseAttribArrays(1u << LayerVertexLocation | 1u << TexCoordLocation, 0);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    RestoreUserProgram();
}

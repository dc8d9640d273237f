// The raster position and what desktop GL draws at it: bitmap characters
// (glutBitmapCharacter) and pixel rectangles (glDrawPixels), drawn on WebGL
// as textured rectangles in window coordinates, at the raster position's
// depth and in its colour, through whatever blending and depth state is set.
#include "web/bitmap_fonts.h"
#include "web/fixed_function.h"
#include "web/gl_compat.h"

#include <GL/freeglut.h>

#include <cstring>

// The position, depth and colour that glRasterPos or glWindowPos set: a
// position outside the view box is invalid, and nothing is drawn there.
struct RasterPosition {
    float x, y;        // window pixels
    float depth;       // 0 near to 1 far
    float colour[4];
    bool valid;
};

static RasterPosition raster = {0, 0, 0, {1, 1, 1, 1}, true};
static float zoom[2] = {1, 1};

// One texture of all of a font's glyphs side by side, made on first use.
struct FontAtlas {
    const BitmapFont* font;
    GLuint texture;
    int width, height;
    int columns[128];   // where each character's glyph starts
};
static FontAtlas atlases[2];
static GLuint pixelTexture = 0;   // holds the rectangle glDrawPixels draws
static GLuint bitmapProgram = 0, pixelProgram = 0;
static GLint bitmapColourAt = -1;   // the bitmap program's "colour"

static const char* const WindowVertex =
    "attribute vec4 glitter_Vertex;\n"
    "attribute vec2 glitter_TexCoord;\n"
    "varying vec2 texCoord;\n"
    "void main() { gl_Position = glitter_Vertex; texCoord = glitter_TexCoord; }\n";
// A bitmap writes the raster colour where its bits are set and nothing
// elsewhere, as glBitmap does.
static const char* const BitmapFragment =
    "precision mediump float;\n"
    "uniform sampler2D bits;\n"
    "uniform vec4 colour;\n"
    "varying vec2 texCoord;\n"
    "void main() {\n"
    "    if (texture2D(bits, texCoord).a < 0.5) discard;\n"
    "    gl_FragColor = colour;\n"
    "}\n";
static const char* const PixelFragment =
    "precision mediump float;\n"
    "uniform sampler2D pixels;\n"
    "varying vec2 texCoord;\n"
    "void main() { gl_FragColor = texture2D(pixels, texCoord); }\n";

static void SetRaster(float x, float y, float depth, bool valid)
{
    raster.x = x, raster.y = y, raster.depth = depth, raster.valid = valid;
    memcpy(raster.colour, CurrentColour(), sizeof raster.colour);
}

// The viewport as floats: x, y, width, height.
static void Viewport(float view[4])
{
    const GLint* viewport = CurrentViewport();
    for (int i = 0; i < 4; i++)
        view[i] = static_cast<float>(viewport[i]);
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
    float view[4];
    Viewport(view);
    SetRaster(view[0] + (clip[0] / w + 1) / 2 * view[2], view[1] + (clip[1] / w + 1) / 2 * view[3],
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

static GLuint NewLayerTexture()
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

// Draws the texture on the layer's unit over the window rectangle from
// (x, y), width by height pixels, at the raster depth, with program. The
// user's program and client arrays are as they were afterwards.
static void DrawWindowRectangle(GLuint program, GLuint texture, float x, float y, float width, float height,
                                const float texCoords[4])
{
    float view[4];
    Viewport(view);
    const float left = (x - view[0]) / view[2] * 2 - 1, right = (x + width - view[0]) / view[2] * 2 - 1;
    const float bottom = (y - view[1]) / view[3] * 2 - 1, top = (y + height - view[1]) / view[3] * 2 - 1;
    const float z = raster.depth * 2 - 1;
    const float corners[] = {left, bottom, z, right, bottom, z, left, top, z, right, top, z};
    const float s0 = texCoords[0], t0 = texCoords[1], s1 = texCoords[2], t1 = texCoords[3];
    const float coordinates[] = {s0, t0, s1, t0, s0, t1, s1, t1};
    glUseProgram(program);
    glActiveTexture(LayerTextureUnit);
    glBindTexture(GL_TEXTURE_2D, texture);
    glVertexAttribPointer(VertexLocation, 3, GL_FLOAT, GL_FALSE, 0, corners);
    glVertexAttribPointer(TexCoordLocation, 2, GL_FLOAT, GL_FALSE, 0, coordinates);
    glEnableVertexAttribArray(VertexLocation);
    glEnableVertexAttribArray(TexCoordLocation);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisableVertexAttribArray(TexCoordLocation);
    // The program's own textures stay bound to unit 0, its active unit.
    glActiveTexture(GL_TEXTURE0);
    RestoreClientArrays();
    RestoreUserProgram();
}

static GLuint LayerProgram(GLuint* program, const char* fragment, const char* sampler)
{
    if (!*program) {
        *program = BuildLayerProgram(WindowVertex, fragment);
        glUseProgram(*program);
        glUniform1i(glGetUniformLocation(*program, sampler), static_cast<GLint>(LayerTextureUnit - GL_TEXTURE0));
    }
    return *program;
}

void glDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels)
{
    // The overlay's backing is the one rectangle the program draws: RGBA bytes.
    if (!raster.valid || format != GL_RGBA || type != GL_UNSIGNED_BYTE || width <= 0 || height <= 0)
        return;
    const GLuint program = LayerProgram(&pixelProgram, PixelFragment, "pixels");
    glActiveTexture(LayerTextureUnit);
    if (!pixelTexture)
        pixelTexture = NewLayerTexture();
    glBindTexture(GL_TEXTURE_2D, pixelTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const float whole[4] = {0, 0, 1, 1};
    DrawWindowRectangle(program, pixelTexture, raster.x, raster.y, static_cast<float>(width) * zoom[0],
                        static_cast<float>(height) * zoom[1], whole);
}

// The atlas of font, made the first time it prints: every glyph's bits
// unpacked into one alpha texture, a column of space between glyphs.
static const FontAtlas& AtlasOf(const BitmapFont* font)
{
    FontAtlas* atlas = font == &BitmapHelvetica18 ? &atlases[0] : &atlases[1];
    if (atlas->font == font)
        return *atlas;
    atlas->font = font;
    atlas->width = 0, atlas->height = 1;
    for (int i = 0; i < font->count; i++) {
        atlas->columns[font->first + i] = atlas->width;
        atlas->width += font->glyphs[i].width + 1;
        if (font->glyphs[i].height > atlas->height)
            atlas->height = font->glyphs[i].height;
    }
    static unsigned char alpha[2048 * 32];   // larger than either font's atlas
    if (static_cast<size_t>(atlas->width * atlas->height) > sizeof alpha)
        return *atlas;   // no texture: prints nothing
    memset(alpha, 0, sizeof alpha);
    for (int i = 0; i < font->count; i++) {
        const BitmapGlyph& glyph = font->glyphs[i];
        const unsigned char* rows = font->bits + glyph.bits;
        const int rowBytes = (glyph.width + 7) / 8;
        for (int y = 0; y < glyph.height; y++)
            for (int x = 0; x < glyph.width; x++)
                if (rows[y * rowBytes + x / 8] & (0x80 >> (x % 8)))
                    alpha[y * atlas->width + atlas->columns[font->first + i] + x] = 255;
    }
    glActiveTexture(LayerTextureUnit);
    atlas->texture = NewLayerTexture();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, atlas->width, atlas->height, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glActiveTexture(GL_TEXTURE0);
    return *atlas;
}

void glutBitmapCharacter(void* fontHandle, int character)
{
    const BitmapFont* font = static_cast<const BitmapFont*>(fontHandle);
    const int index = character - font->first;
    if (index < 0 || index >= font->count || !raster.valid)
        return;
    const BitmapGlyph& glyph = font->glyphs[index];
    if (glyph.width > 0) {
        const FontAtlas& atlas = AtlasOf(font);
        const bool first = !bitmapProgram;
        const GLuint program = LayerProgram(&bitmapProgram, BitmapFragment, "bits");
        if (first)
            bitmapColourAt = glGetUniformLocation(program, "colour");
        glUseProgram(program);
        glUniform4fv(bitmapColourAt, 1, raster.colour);
        const float column = static_cast<float>(atlas.columns[character]);
        const float box[4] = {column / atlas.width, 0, (column + glyph.width) / atlas.width,
                              static_cast<float>(glyph.height) / atlas.height};
        DrawWindowRectangle(program, atlas.texture, raster.x + glyph.left, raster.y + glyph.bottom,
                            glyph.width, glyph.height, box);
    }
    raster.x += glyph.advance;
}

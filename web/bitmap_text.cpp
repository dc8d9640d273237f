// Bitmap text (glutBitmapCharacter) on WebGL: each font's glyphs in one
// texture, and the characters printed one by one gathered into a batch of
// textured rectangles, each at its raster position's place, depth and
// colour, as glBitmap would draw them. The batch is drawn in one call when
// anything would draw over it or change how it draws (fixed_function.cpp
// and raster.cpp flush it first), so a status line, the axis labels and an
// error box cost a draw each, or one for all; and a block of text that is
// the same as in the last frame is not sent to the GPU again.
#include "web/bitmap_fonts.h"
#include "web/gl_compat.h"
#include "web/layer.h"

#include <GL/freeglut.h>

#include <cstring>

// One texture of all of a font's glyphs side by side, made on first use.
struct FontAtlas {
    const BitmapFont* font;
    GLuint texture;
    int width, height;
    int columns[128];   // where each character's glyph starts
};

// A corner of a glyph's rectangle.
struct TextVertex {
    float x, y, z;       // clip coordinates
    float s, t;          // in the font's atlas
    float colour[4];
};

// Room for a batch: more characters than any window of text holds; a
// longer text is drawn in several.
static const int MaxGlyphs = 2048;
// The frame's blocks of text, in the order they are drawn, each compared
// with the same block of the last frame; later ones share the last buffer.
static const int BlocksPerFrame = 4;

static FontAtlas atlases[2];
static GLuint textProgram = 0;
static TextVertex batch[MaxGlyphs * 4];
static int batchGlyphs = 0;
static const FontAtlas* batchAtlas = nullptr;
static unsigned char blockCopies[BlocksPerFrame][sizeof batch];
static SentBuffer blockBuffers[BlocksPerFrame];
static int blockInFrame = 0;
// Two triangles a glyph, the same for every batch: sent once.
static unsigned short indices[MaxGlyphs * 6];
static unsigned char indicesCopy[sizeof indices];
static SentBuffer indexBuffer;

static const char* const TextVertexShader =
    "attribute vec4 glitter_Vertex;\n"
    "attribute vec4 glitter_Color;\n"
    "attribute vec2 glitter_TexCoord;\n"
    "varying vec2 texCoord;\n"
    "varying vec4 colour;\n"
    "void main() { gl_Position = glitter_Vertex; texCoord = glitter_TexCoord; colour = glitter_Color; }\n";
// A bitmap writes the raster colour where its bits are set and nothing
// elsewhere, as glBitmap does.
static const char* const TextFragmentShader =
    "precision mediump float;\n"
    "uniform sampler2D bits;\n"
    "varying vec2 texCoord;\n"
    "varying vec4 colour;\n"
    "void main() {\n"
    "    if (texture2D(bits, texCoord).a < 0.5) discard;\n"
    "    gl_FragColor = colour;\n"
    "}\n";

void SetUpBitmapText()
{
    for (FontAtlas& atlas : atlases)
        atlas.font = nullptr;
    batchGlyphs = 0;
    blockInFrame = 0;
    for (int block = 0; block < BlocksPerFrame; block++)
        blockBuffers[block] = SentBuffer{blockCopies[block], sizeof blockCopies[block], 0, 0, 0};
    indexBuffer = SentBuffer{indicesCopy, sizeof indicesCopy, 0, 0, 0};
    for (int glyph = 0; glyph < MaxGlyphs; glyph++) {
        static const int Corners[6] = {0, 1, 2, 2, 1, 3};
        for (int i = 0; i < 6; i++)
            indices[glyph * 6 + i] = static_cast<unsigned short>(glyph * 4 + Corners[i]);
    }
    textProgram = BuildLayerProgram(TextVertexShader, TextFragmentShader);
    UseGLProgram(textProgram);
    glUniform1i(glGetUniformLocation(textProgram, "bits"), static_cast<GLint>(LayerTextureUnit - GL_TEXTURE0));
    RestoreUserProgram();
}

void StartTextFrame()
{
    blockInFrame = 0;
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
    atlas->texture = 0;   // none, if it would not fit: prints nothing
    if (static_cast<size_t>(atlas->width * atlas->height) > sizeof alpha)
        return *atlas;
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
    atlas->texture = NewLayerTexture();
    glActiveTexture(LayerTextureUnit);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, atlas->width, atlas->height, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glActiveTexture(GL_TEXTURE0);
    return *atlas;
}

void FlushBitmapText()
{
    if (batchGlyphs == 0)
        return;
    SentBuffer* block = &blockBuffers[blockInFrame < BlocksPerFrame ? blockInFrame : BlocksPerFrame - 1];
    blockInFrame++;
    UseGLProgram(textProgram);
    BindLayerTexture(batchAtlas->texture);
    SendIndicesIfChanged(&indexBuffer, indices, sizeof indices);
    SendIfChanged(block, batch, static_cast<size_t>(batchGlyphs) * 4 * sizeof(TextVertex));
    const GLsizei stride = sizeof(TextVertex);
    PointAttrib(VertexLocation, 3, GL_FLOAT, GL_FALSE, stride, offsetof(TextVertex, x));
    PointAttrib(TexCoordLocation, 2, GL_FLOAT, GL_FALSE, stride, offsetof(TextVertex, s));
    PointAttrib(ColorLocation, 4, GL_FLOAT, GL_FALSE, stride, offsetof(TextVertex, colour));
    UseAttribArrays(1u << VertexLocation | 1u << ColorLocation | 1u << TexCoordLocation);
    glDrawElements(GL_TRIANGLES, batchGlyphs * 6, GL_UNSIGNED_SHORT, nullptr);
    batchGlyphs = 0;
    RestoreUserProgram();
}

// Adds a glyph's rectangle, width by height window pixels from (x, y), to
// the batch, showing the atlas's columns from column on.
static void AddGlyph(const FontAtlas& atlas, float x, float y, int width, int height, int column)
{
    const RasterPosition& raster = Raster();
    const float left = WindowToClipX(x), right = WindowToClipX(x + static_cast<float>(width));
    const float bottom = WindowToClipY(y), top = WindowToClipY(y + static_cast<float>(height));
    const float z = raster.depth * 2 - 1;
    const float s0 = static_cast<float>(column) / static_cast<float>(atlas.width);
    const float s1 = static_cast<float>(column + width) / static_cast<float>(atlas.width);
    const float t1 = static_cast<float>(height) / static_cast<float>(atlas.height);
    const float corners[4][4] = {{left, bottom, s0, 0}, {right, bottom, s1, 0}, {left, top, s0, t1}, {right, top, s1, t1}};
    TextVertex* vertex = &batch[batchGlyphs++ * 4];
    for (const float* corner : corners) {
        *vertex = TextVertex{corner[0], corner[1], z, corner[2], corner[3], {}};
        memcpy(vertex->colour, raster.colour, sizeof vertex->colour);
        vertex++;
    }
}

void glutBitmapCharacter(void* fontHandle, int character)
{
    const BitmapFont* font = static_cast<const BitmapFont*>(fontHandle);
    const int index = character - font->first;
    RasterPosition& raster = Raster();
    if (index < 0 || index >= font->count || !raster.valid)
        return;
    const BitmapGlyph& glyph = font->glyphs[index];
    if (glyph.width > 0) {
        const FontAtlas& atlas = AtlasOf(font);
        if (batchGlyphs == MaxGlyphs || (batchGlyphs > 0 && batchAtlas != &atlas))
            FlushBitmapText();
        batchAtlas = &atlas;
        if (atlas.texture)
            AddGlyph(atlas, raster.x + glyph.left, raster.y + glyph.bottom, glyph.width, glyph.height,
                     atlas.columns[character]);
    }
    raster.x += glyph.advance;
}

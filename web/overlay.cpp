// What the program draws over its scene, the axes' lines and bitmap text
// (glutBitmapCharacter), gathered into one batch and drawn with one program
// of the layer's: each font's glyphs are in one texture, and each character
// becomes a textured rectangle at its raster position's place, depth and
// colour, as glBitmap would draw it. The batch is drawn, its lines then its
// characters, when anything would draw over it or change how it draws
// (fixed_function.cpp and raster.cpp flush it first), so the status line,
// the axes and their labels cost two draws in all; and a batch the same as
// the same batch of the last frame is not sent to the GPU again.
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

struct OverlayVertex {
    float x, y, z, w;    // clip coordinates
    float s, t;          // in the font's atlas; negative for a line
    float colour[4];
};

// Room for a batch: more characters than any window of text holds (a
// longer text is drawn in several), and the lines of the axes many times.
static const int MaxGlyphs = 2048;
static const int MaxLineVertices = 64;
// The frame's batches, in the order they are drawn, each compared with the
// same batch of the last frame; later ones share the last buffer.
static const int BatchesPerFrame = 4;

static FontAtlas atlases[2];
static GLuint overlayProgram = 0;
static OverlayVertex glyphVertices[MaxGlyphs * 4];
static OverlayVertex lineVertices[MaxLineVertices];
static int glyphCount = 0, lineVertexCount = 0;
static const FontAtlas* batchAtlas = nullptr;
// What is sent: the glyphs' corners, then the lines'.
static OverlayVertex batch[MaxGlyphs * 4 + MaxLineVertices];
static unsigned char batchCopies[BatchesPerFrame][sizeof batch];
static SentBuffer batchBuffers[BatchesPerFrame];
static int batchInFrame = 0;
// Two triangles a glyph, the same for every batch: sent once.
static unsigned short indices[MaxGlyphs * 6];
static unsigned char indicesCopy[sizeof indices];
static SentBuffer indexBuffer;

static const char* const OverlayVertexShader =
    "attribute vec4 glitter_Vertex;\n"
    "attribute vec4 glitter_Color;\n"
    "attribute vec2 glitter_TexCoord;\n"
    "varying vec2 texCoord;\n"
    "varying vec4 colour;\n"
    "void main() { gl_Position = glitter_Vertex; texCoord = glitter_TexCoord; colour = glitter_Color; }\n";
// A bitmap writes the raster colour where its bits are set and nothing
// elsewhere, as glBitmap does; a line is drawn whole.
static const char* const OverlayFragmentShader =
    "precision mediump float;\n"
    "uniform sampler2D bits;\n"
    "varying vec2 texCoord;\n"
    "varying vec4 colour;\n"
    "void main() {\n"
    "    if (texCoord.s >= 0.0 && texture2D(bits, texCoord).a < 0.5) discard;\n"
    "    gl_FragColor = colour;\n"
    "}\n";

void SetUpOverlay()
{
    for (FontAtlas& atlas : atlases)
        atlas.font = nullptr;
    glyphCount = lineVertexCount = 0;
    batchAtlas = nullptr;
    batchInFrame = 0;
    for (int i = 0; i < BatchesPerFrame; i++)
        batchBuffers[i] = SentBuffer{batchCopies[i], sizeof batchCopies[i], 0, 0, 0};
    indexBuffer = SentBuffer{indicesCopy, sizeof indicesCopy, 0, 0, 0};
    for (int glyph = 0; glyph < MaxGlyphs; glyph++) {
        static const int Corners[6] = {0, 1, 2, 2, 1, 3};
        for (int i = 0; i < 6; i++)
            indices[glyph * 6 + i] = static_cast<unsigned short>(glyph * 4 + Corners[i]);
    }
    overlayProgram = BuildLayerProgram(OverlayVertexShader, OverlayFragmentShader, LayerVertexLocation,
                                       LayerColourLocation);
    UseGLProgram(overlayProgram);
    glUniform1i(glGetUniformLocation(overlayProgram, "bits"), static_cast<GLint>(LayerTextureUnit - GL_TEXTURE0));
    RestoreUserProgram();
}

void StartOverlayFrame()
{
    batchInFrame = 0;
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

void FlushOverlay()
{
    if (glyphCount == 0 && lineVertexCount == 0)
        return;
    const size_t glyphVertexCount = static_cast<size_t>(glyphCount) * 4;
    memcpy(batch, glyphVertices, glyphVertexCount * sizeof(OverlayVertex));
    memcpy(batch + glyphVertexCount, lineVertices, static_cast<size_t>(lineVertexCount) * sizeof(OverlayVertex));
    SentBuffer& buffer = batchBuffers[batchInFrame < BatchesPerFrame ? batchInFrame : BatchesPerFrame - 1];
    batchInFrame++;
    SendIfChanged(&buffer, batch, (glyphVertexCount + static_cast<size_t>(lineVertexCount)) * sizeof(OverlayVertex));
    UseGLProgram(overlayProgram);
    const GLsizei stride = sizeof(OverlayVertex);
    PointAttrib(LayerVertexLocation, buffer, 4, GL_FLOAT, GL_FALSE, stride, offsetof(OverlayVertex, x));
    PointAttrib(TexCoordLocation, buffer, 2, GL_FLOAT, GL_FALSE, stride, offsetof(OverlayVertex, s));
    PointAttrib(LayerColourLocation, buffer, 4, GL_FLOAT, GL_FALSE, stride, offsetof(OverlayVertex, colour));
    UseAttribArrays(1u << LayerVertexLocation | 1u << LayerColourLocation | 1u << TexCoordLocation, 0);
    if (lineVertexCount > 0)
        glDrawArrays(GL_LINES, static_cast<GLint>(glyphVertexCount), lineVertexCount);
    if (glyphCount > 0) {
        BindLayerTexture(batchAtlas->texture);
        SendIndicesIfChanged(&indexBuffer, indices, sizeof indices);
        glDrawElements(GL_TRIANGLES, glyphCount * 6, GL_UNSIGNED_SHORT, nullptr);
    }
    glyphCount = lineVertexCount = 0;
    RestoreUserProgram();
}

void AddOverlayLines(const float* vertices, int count, const float colour[4])
{
    // Text waiting would otherwise be drawn after lines given after it.
    if (glyphCount > 0 || lineVertexCount + count > MaxLineVertices)
        FlushOverlay();
    for (int i = 0; i < count && lineVertexCount < MaxLineVertices; i++) {
        const float* v = &vertices[i * 4];
        OverlayVertex& vertex = lineVertices[lineVertexCount++];
        vertex = OverlayVertex{v[0], v[1], v[2], v[3], -1, -1, {}};
        memcpy(vertex.colour, colour, sizeof vertex.colour);
    }
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
    OverlayVertex* vertex = &glyphVertices[glyphCount++ * 4];
    for (const float* corner : corners) {
        *vertex = OverlayVertex{corner[0], corner[1], z, 1, corner[2], corner[3], {}};
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
        if (glyphCount == MaxGlyphs || (glyphCount > 0 && batchAtlas != &atlas))
            FlushOverlay();
        batchAtlas = &atlas;
        if (atlas.texture)
            AddGlyph(atlas, raster.x + glyph.left, raster.y + glyph.bottom, glyph.width, glyph.height,
                     atlas.columns[character]);
    }
    raster.x += glyph.advance;
}

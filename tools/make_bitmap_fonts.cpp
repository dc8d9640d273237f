// Writes web/bitmap_fonts.cpp: the glyphs of the two bitmap fonts the program
// prints with, read back pixel by pixel from freeglut drawing them, for the
// web build, where GLUT has no fonts. Needs a display (xvfb-run):
//   make_bitmap_fonts OUTPUT.cpp
#include "gl/opengl.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

static const int Size = 64;      // pixels: the window, larger than any glyph
static const int Origin = 24;    // the raster position each glyph is drawn at
static const int First = ' ', Last = '~';

struct Font {
    void* handle;
    const char* name;     // of its tables in the written source
    const char* global;   // of the font itself, as web/bitmap_fonts.h declares it
};

struct Glyph {
    int advance, left, bottom, width, height;
    size_t bits;
};

// Draws character c of font at (Origin, Origin) and reads back which pixels
// it lit, by rows from the bottom.
static std::vector<bool> Draw(void* font, int c)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glWindowPos2i(Origin, Origin);
    glutBitmapCharacter(font, c);
    std::vector<unsigned char> red(Size * Size);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Size, Size, GL_RED, GL_UNSIGNED_BYTE, red.data());
    std::vector<bool> lit(red.size());
    for (size_t i = 0; i < red.size(); i++)
        lit[i] = red[i] > 127;
    return lit;
}

// The glyph's box and its rows, appended to bits as glBitmap takes them.
static Glyph Measure(void* font, int c, std::vector<unsigned char>* bits)
{
    const std::vector<bool> lit = Draw(font, c);
    int minX = Size, minY = Size, maxX = -1, maxY = -1;
    for (int y = 0; y < Size; y++)
        for (int x = 0; x < Size; x++)
            if (lit[static_cast<size_t>(y * Size + x)]) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    Glyph glyph = {glutBitmapWidth(font, c), 0, 0, 0, 0, bits->size()};
    if (maxX < 0)
        return glyph;   // a space
    glyph.left = minX - Origin, glyph.bottom = minY - Origin;
    glyph.width = maxX - minX + 1, glyph.height = maxY - minY + 1;
    const int rowBytes = (glyph.width + 7) / 8;
    for (int y = minY; y <= maxY; y++)
        for (int byte = 0; byte < rowBytes; byte++) {
            unsigned char value = 0;
            for (int bit = 0; bit < 8; bit++) {
                const int x = minX + byte * 8 + bit;
                if (x <= maxX && lit[static_cast<size_t>(y * Size + x)])
                    value |= static_cast<unsigned char>(0x80 >> bit);
            }
            bits->push_back(value);
        }
    return glyph;
}

static void WriteFont(FILE* out, const Font& font)
{
    std::vector<unsigned char> bits;
    std::vector<Glyph> glyphs;
    for (int c = First; c <= Last; c++)
        glyphs.push_back(Measure(font.handle, c, &bits));
    fprintf(out, "\nstatic const unsigned char %sBits[] = {", font.name);
    for (size_t i = 0; i < bits.size(); i++)
        fprintf(out, "%s0x%02x,", i % 16 ? " " : "\n    ", bits[i]);
    fprintf(out, "\n};\n\n// advance, left, bottom, width, height, first row\n");
    fprintf(out, "static const BitmapGlyph %sGlyphs[] = {\n", font.name);
    for (size_t i = 0; i < glyphs.size(); i++) {
        const Glyph& g = glyphs[i];
        const int c = First + static_cast<int>(i);
        fprintf(out, "    {%d, %d, %d, %d, %d, %zu},   // '%c'\n", g.advance, g.left, g.bottom, g.width,
                g.height, g.bits, c);
    }
    fprintf(out, "};\n\nconst BitmapFont %s = {%d, %d, %sGlyphs, %sBits};\n", font.global, First,
            Last - First + 1, font.name, font.name);
}

int main(int argc, char* argv[])
{
    glutInit(&argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: make_bitmap_fonts OUTPUT.cpp\n");
        return 2;
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    glutInitWindowSize(Size, Size);
    glutCreateWindow("make_bitmap_fonts");
    if (glewInit() != GLEW_OK || !GLEW_VERSION_2_0) {
        fprintf(stderr, "make_bitmap_fonts: no OpenGL 2.0\n");
        return 1;
    }
    glClearColor(0, 0, 0, 1);
    glColor3f(1, 1, 1);
    FILE* out = fopen(argv[1], "w");
    if (!out) {
        fprintf(stderr, "make_bitmap_fonts: cannot write %s\n", argv[1]);
        return 1;
    }
    fprintf(out, "// The glyphs of freeglut's GLUT_BITMAP_HELVETICA_18 and GLUT_BITMAP_9_BY_15\n"
                 "// (from the X Window System's fonts), as freeglut draws them. Written by\n"
                 "// tools/make_bitmap_fonts.cpp: `cmake --build build --target bitmap_fonts`.\n"
                 "#include \"web/bitmap_fonts.h\"\n");
    WriteFont(out, Font{GLUT_BITMAP_HELVETICA_18, "Helvetica18", "BitmapHelvetica18"});
    WriteFont(out, Font{GLUT_BITMAP_9_BY_15, "Fixed9By15", "Bitmap9By15"});
    return fclose(out) == 0 ? 0 : 1;
}

// The two bitmap fonts the program prints with, for the web, where GLUT has
// none: the glyphs of freeglut's GLUT_BITMAP_HELVETICA_18 and
// GLUT_BITMAP_9_BY_15, so text reads as on the desktop, at the same size and
// place. bitmap_fonts.cpp is written by tools/make_bitmap_fonts.cpp.
#pragma once

// One character. Its bits are height rows, bottom row first, of
// (width + 7) / 8 bytes each, the leftmost pixel in the highest bit, as
// glBitmap takes them.
struct BitmapGlyph {
    unsigned char advance;   // pixels the raster position moves on
    signed char left;        // of the first column, from the raster position
    signed char bottom;      // of the first row, from the raster position
    unsigned char width;
    unsigned char height;
    unsigned short bits;     // offset of the first row in the font's bits
};

struct BitmapFont {
    int first;                   // the first character, ' '
    int count;                   // characters from there on, to '~'
    const BitmapGlyph* glyphs;
    const unsigned char* bits;
};

extern const BitmapFont BitmapHelvetica18;
extern const BitmapFont Bitmap9By15;

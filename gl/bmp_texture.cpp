#include "gl/bmp_texture.h"

#include "gl/diagnostics.h"

#include <cstdio>
#include <cstdlib>

// Interim loader for 24-bit BMPs whose width is a multiple of 4.
GLuint LoadTexBMP(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        ExitWithError("Cannot open file %s\n", path);
    unsigned char header[54];
    if (fread(header, sizeof header, 1, file) != 1)
        ExitWithError("Cannot read header from %s\n", path);
    const unsigned offset = header[10] | header[11] << 8 | header[12] << 16 | unsigned(header[13]) << 24;
    const int width = header[18] | header[19] << 8;
    const int height = header[22] | header[23] << 8;
    const size_t size = size_t(width) * height * 3;
    unsigned char* pixels = static_cast<unsigned char*>(malloc(size));
    if (!pixels || fseek(file, offset, SEEK_SET) || fread(pixels, size, 1, file) != 1)
        ExitWithError("Error reading data from image %s\n", path);
    fclose(file);
    for (size_t i = 0; i < size; i += 3) {
        unsigned char blue = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = blue;
    }
    GLuint texture;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    free(pixels);
    return texture;
}

#include "gl/bmp_texture.h"

#include "gl/bmp_image.h"
#include "gl/diagnostics.h"

// Hands the checked image to GL as level 0 of the bound 2D texture; any GL
// error after the upload is fatal.
static void UploadImage(const BmpImage& image, const char* path)
{
    // The rows are padded to 4 bytes as in the file; alignment 4 (GL's
    // default) makes GL step over that padding instead of reading past the
    // end of the buffer.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // Internal format 3: three components per texel, the driver picks the
    // exact format.
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0,
                 GL_RGB, GL_UNSIGNED_BYTE, image.rows);
    if (glGetError() != GL_NO_ERROR)
        ExitWithError("Error in glTexImage2D %s %dx%d\n", path, image.width, image.height);
}

GLuint LoadTexBMP(const char* path)
{
    // Asked before the file is read; the limit only matters once the header
    // is in, so users see the same messages in the same order.
    GLint maxTextureSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);

    BmpImage image;
    char message[BmpMessageSize];
    if (!LoadBmpImage(path, maxTextureSize, &image, message, sizeof message))
        ExitWithError("%s", message);

    // Flushes out an error left by earlier start-up work, so that the check
    // after the upload sees only the upload's own.
    ReportGLError("LoadTexBMP");

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    UploadImage(image, path);
    // No mipmaps are made, so the minification filter must not ask for them.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    FreeBmpImage(&image);
    return texture;
}

#include "gl/bmp_texture.h"

#include "gl/bmp_image.h"
#include "gl/diagnostics.h"

// Hands the checked image to the bound texture as level 0. Returns false with
// failure set if GL reports an error after the upload.
static bool UploadImage(const BmpImage& image, const char* path, Failure* failure)
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
        return Fail(failure, "Error in glTexImage2D %s %dx%d\n", path, image.width, image.height);
    return true;
}

GLuint TryLoadTexBMP(const char* path, Failure* failure)
{
    // Asked before the file is read; the limit only matters once the header
    // is in, so users see the same messages in the same order.
    GLint maxTextureSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);

    BmpImage image;
    if (!LoadBmpImage(path, maxTextureSize, &image, failure))
        return 0;

    // Flushes out an error left by earlier work, so that the check after the
    // upload sees only the upload's own.
    ReportGLError("LoadTexBMP");

    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const bool uploaded = UploadImage(image, path, failure);
    FreeBmpImage(&image);
    if (!uploaded) {
        glDeleteTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
        return 0;
    }
    // No mipmaps are made, so the minification filter must not ask for them.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    return texture;
}

GLuint LoadTexBMP(const char* path)
{
    Failure failure = {};
    const GLuint texture = TryLoadTexBMP(path, &failure);
    if (!texture)
        ExitWithError("%s", failure.message);
    return texture;
}

// Loads the sprite image: an uncompressed 24-bit BMP file.
#pragma once

#include <GL/glew.h>

// Reads the BMP file at path into a new GL_TEXTURE_2D with linear filtering,
// leaves it bound to the active texture unit and returns its name. Needs a
// current GL context. Any defect of the file is fatal, with a message naming
// the file and the defect; images of any width load, whatever their row
// padding.
GLuint LoadTexBMP(const char* path);

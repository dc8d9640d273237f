// Loads the sprite image: an uncompressed 24-bit BMP file.
#pragma once

#include <GL/glew.h>

// Reads the BMP file at path into a new GL_TEXTURE_2D with linear filtering,
// leaves it bound to the active texture unit and returns its name. Any defect
// of the file is fatal, with a message naming the file and the defect.
GLuint LoadTexBMP(const char* path);

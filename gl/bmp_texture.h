// Loads the sprite image: an uncompressed 24-bit BMP file.
#pragma once

#include "gl/failure.h"
#include "gl/opengl.h"

// Reads the BMP file at path into a new GL_TEXTURE_2D with linear filtering,
// leaves it bound to the active texture unit and returns its name. Images of
// any width load, whatever their row padding. Needs a current GL context. On
// any defect of the file, or if GL refuses the image, returns 0 with failure
// set, having created no texture and left the earlier binding in place.
GLuint TryLoadTexBMP(const char* path, Failure* failure);

// The same for start-up, where any failure ends the program.
GLuint LoadTexBMP(const char* path);

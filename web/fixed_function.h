// The fixed-function state that raster.cpp shares with fixed_function.cpp,
// and the way both draw with programs of their own on WebGL.
#pragma once

#include <GLES2/gl2.h>

// Where the layer's own programs take a texture coordinate: a location the
// program binds no name to, like those of gl_Vertex and gl_Color.
inline constexpr GLuint TexCoordLocation = 2;
// The texture unit of the layer's own textures (fonts, pixel rectangles):
// unit 0 holds the sprite and unit 1 is offered to shaders as "Noise3D".
inline constexpr GLenum LayerTextureUnit = GL_TEXTURE2;

// projection x model-view, column-major as GL keeps it.
void ModelViewProjection(float matrix[16]);

// The colour set last by glColor, red, green, blue and alpha.
const float* CurrentColour();

// The viewport set last: x, y, width, height.
const GLint* CurrentViewport();

// A program of the layer's own from GLSL ES sources, with gl_Vertex's and
// gl_Color's stand-ins and the texture coordinate bound to their locations.
GLuint BuildLayerProgram(const char* vertexSource, const char* fragmentSource);

// Makes current the program the user's code made current last (the layer
// draws with programs of its own in between).
void RestoreUserProgram();

// Points the client arrays back where the user's code pointed them, and
// enables and disables them as it did.
void RestoreClientArrays();

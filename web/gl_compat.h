// What the program uses of desktop OpenGL 2.0 that WebGL 1 lacks, built on
// WebGL by the units of this folder (web/README.md tells what differs and
// why): fixed-function matrices (matrices.cpp), the current colour, point
// size, point sprites, immediate-mode lines and the drawing with them
// (fixed_function.cpp), the client arrays, kept in buffer objects of the
// layer's own (vertex_arrays.cpp), desktop GLSL turned into GLSL ES
// (shader_hooks.cpp, glsl_es.cpp), the raster position with pixel rectangles
// (raster.cpp), bitmap text and the axes' lines (overlay.cpp), and GL errors checked
// without waiting for the GPU every frame (error_checks_web.cpp).
//
// Attribute locations 0 and 1 stand for gl_Vertex and gl_Color: the program
// binds no names there, so they are free.
#pragma once

#include <GLES2/gl2.h>

typedef double GLdouble;

#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_VERTEX_ARRAY 0x8074
#define GL_COLOR_ARRAY 0x8076
#define GL_POINT_SPRITE 0x8861
#define GL_COORD_REPLACE 0x8862

inline constexpr GLuint VertexLocation = 0;   // gl_Vertex
inline constexpr GLuint ColorLocation = 1;    // gl_Color

// True once the page's canvas has given the program a WebGL context.
bool HasWebGL();

void glMatrixMode(GLenum mode);
void glLoadIdentity();
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearPlane, GLdouble farPlane);
void glRotated(GLdouble degrees, GLdouble x, GLdouble y, GLdouble z);

void glBegin(GLenum mode);
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void glEnd();
void glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void glColor3fv(const GLfloat* rgb);

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
void glColorPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
void glEnableClientState(GLenum array);
void glDisableClientState(GLenum array);

void glPointSize(GLfloat size);
void glTexEnvi(GLenum target, GLenum name, GLint value);

void glRasterPos3f(GLfloat x, GLfloat y, GLfloat z);
void glWindowPos2i(GLint x, GLint y);
void glPixelZoom(GLfloat x, GLfloat y);
void glDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels);

// WebGL's own calls, doing what desktop OpenGL does with them.
// An error the layer raised itself comes first, as GL would report it.
GLenum CompatGetError();
void CompatEnable(GLenum capability);
void CompatDisable(GLenum capability);
GLboolean CompatIsEnabled(GLenum capability);
void CompatViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void CompatGetIntegerv(GLenum name, GLint* values);
void CompatDepthMask(GLboolean write);
void CompatBlendFunc(GLenum source, GLenum destination);
void CompatClear(GLbitfield buffers);
void CompatFlush();
void CompatUseProgram(GLuint program);
void CompatDrawArrays(GLenum mode, GLint first, GLsizei count);
void CompatVertexAttribPointer(GLuint location, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                               const void* pointer);
void CompatEnableVertexAttribArray(GLuint location);
void CompatDisableVertexAttribArray(GLuint location);
GLuint CompatCreateShader(GLenum type);
void CompatDeleteShader(GLuint shader);
void CompatShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths);
void CompatGetShaderInfoLog(GLuint shader, GLsizei size, GLsizei* length, GLchar* log);
void CompatAttachShader(GLuint program, GLuint shader);
void CompatLinkProgram(GLuint program);
void CompatDeleteProgram(GLuint program);
GLint CompatGetUniformLocation(GLuint program, const GLchar* name);
void CompatTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                      GLint border, GLenum format, GLenum type, const void* pixels);

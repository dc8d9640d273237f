// The web build's GL/glew.h. The program's sources include this instead of
// GLEW (web/include comes first on the web build's include path), so they
// compile unchanged for WebGL: WebGL 1 from Emscripten's OpenGL ES 2.0
// headers, with the rest of what the program uses of desktop OpenGL 2.0
// declared by gl_compat.h and built on WebGL in this folder.
#pragma once

#include "web/gl_compat.h"

// There is no driver to ask for entry points: glewInit makes the layer's
// own GL objects (web/glew_web.cpp), and the version check is whether the
// page gave the program a WebGL context.
#define GLEW_OK 0
GLenum glewInit();
#define GLEW_VERSION_2_0 HasWebGL()

// Calls WebGL has, but that must do what desktop OpenGL does with them: take
// desktop GLSL, draw with the fixed-function state and client arrays, know
// point sprites, answer from what the layer keeps instead of waiting for the
// GPU, and draw pending text before anything that changes how it would draw.
#define glEnable CompatEnable
#define glDisable CompatDisable
#define glIsEnabled CompatIsEnabled
#define glViewport CompatViewport
#define glGetIntegerv CompatGetIntegerv
#define glDepthMask CompatDepthMask
#define glBlendFunc CompatBlendFunc
#define glClear CompatClear
#define glFlush CompatFlush
#define glUseProgram CompatUseProgram
#define glDrawArrays CompatDrawArrays
#define glVertexAttribPointer CompatVertexAttribPointer
#define glEnableVertexAttribArray CompatEnableVertexAttribArray
#define glDisableVertexAttribArray CompatDisableVertexAttribArray
#define glCreateShader CompatCreateShader
#define glDeleteShader CompatDeleteShader
#define glShaderSource CompatShaderSource
#define glGetShaderInfoLog CompatGetShaderInfoLog
#define glAttachShader CompatAttachShader
#define glLinkProgram CompatLinkProgram
#define glDeleteProgram CompatDeleteProgram
#define glGetUniformLocation CompatGetUniformLocation
#define glTexImage2D CompatTexImage2D
#define glGetError CompatGetError

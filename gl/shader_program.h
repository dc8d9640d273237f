// Builds GLSL programs from shader source files, printing every info log so
// that warnings are seen.
#pragma once

#include "gl/diagnostics.h"
#include "gl/opengl.h"

// Attribute names indexed by the location they are bound to before linking;
// "" marks a location left unbound, nullptr ends the table.
extern const char* const AttribNames[];

// Compiles and links a program from a vertex and a fragment shader file;
// either path may be null to leave that stage to fixed function. Returns the
// program, or 0 with failure set and nothing left behind in GL. The shaders
// go when the program is deleted.
GLuint TryCreateShaderProg(const char* vertexPath, const char* fragmentPath, Failure* failure);

// The same for start-up, where any failure ends the program.
GLuint CreateShaderProg(const char* vertexPath, const char* fragmentPath);

// Prints the shader's info log under its file name; returns false with
// failure set if it did not compile.
bool CheckShaderCompile(GLuint shader, const char* path, Failure* failure);

// Prints the program's info log; returns false with failure set if it did
// not link.
bool CheckProgramLink(GLuint program, Failure* failure);

// Builds GLSL programs from shader source files, printing every info log so
// that warnings are seen, and stopping the program on any failure.
#pragma once

#include <GL/glew.h>

// Attribute names indexed by the location they are bound to before linking;
// "" marks a location left unbound, nullptr ends the table.
extern const char* const AttribNames[];

// Reads the whole file into a new NUL-terminated heap buffer that the caller
// frees. Any failure to open, measure or read the file is fatal.
char* LoadTextFile(const char* path);

// Compiles and links a program from a vertex and a fragment shader file;
// either path may be null to leave that stage to fixed function.
GLuint CreateShaderProg(const char* vertexPath, const char* fragmentPath);

// Prints the shader's info log under its file name, then stops the program if
// it did not compile.
void CheckShaderCompile(GLuint shader, const char* path);

// Prints the program's info log, then stops the program if it did not link.
void CheckProgramLink(GLuint program);

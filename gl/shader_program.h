// Builds GLSL programs from shader source files, printing every info log so
// that warnings are seen.
#pragma once

#include "gl/diagnostics.h"
#include "gl/opengl.h"

// Attribute names indexed by the location they are bound to before linking;
// "" marks a location left unbound, nullptr ends the table.
inline constexpr const char* AttribNames[] = {"", "", "", "", "Vel", "Start", nullptr};

constexpr bool SameName(const char* a, const char* b)
{
    while (*a && *a == *b)
        a++, b++;
    return *a == *b;
}

// The location the table gives an attribute name, worked out by the compiler.
constexpr GLuint AttribLocation(const char* name)
{
    GLuint location = 0;
    while (AttribNames[location] && !SameName(AttribNames[location], name))
        location++;
    return location;
}

// Where the draw feeds the per-particle data.
constexpr GLuint VelocityAttrib = AttribLocation("Vel");   // world units per second
constexpr GLuint StartAttrib = AttribLocation("Start");    // seconds

struct KnobList;

// Compiles and links a program from a vertex and a fragment shader file;
// either path may be null to leave that stage to fixed function. Returns the
// program, or 0 with failure set and nothing left behind in GL. The shaders
// go when the program is deleted. A failure keeps the start of the log that
// explains it and, for a compile error, the source line the log points at.
// knobs, if given, gets the knobs annotated in the sources as they compiled
// (vertex shader first), without their locations.
GLuint TryCreateShaderProg(const char* vertexPath, const char* fragmentPath, Failure* failure,
                           KnobList* knobs = nullptr);

// The same for start-up, where any failure ends the program.
GLuint CreateShaderProg(const char* vertexPath, const char* fragmentPath, KnobList* knobs = nullptr);

// Prints the shader's info log under its file name; returns false with
// failure set if it did not compile.
bool CheckShaderCompile(GLuint shader, const char* path, Failure* failure);

// Prints the program's info log; returns false with failure set if it did
// not link.
bool CheckProgramLink(GLuint program, Failure* failure);

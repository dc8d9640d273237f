// Desktop GLSL 1.10, as the program's shader files are written, turned into
// GLSL ES 1.00 for WebGL, line for line, so that a compiler's line numbers
// still point at the user's own lines.
#pragma once

enum ShaderStage { VertexStage, FragmentStage };

// Returns source as GLSL ES, in a new NUL-terminated heap buffer of just
// the size it needs, that the caller frees (null if there is no memory for
// it). First come the #extension lines, which GLSL ES takes only before
// anything else: GL_OES_standard_derivatives when a fragment shader uses
// dFdx, dFdy or fwidth (desktop built-ins), then the user's own. Then
// declarations for what the desktop's built-ins hand a shader: the vertex
// and its colour, the fixed-function matrices and ftransform(), the colour a
// vertex shader passes on and the sprite coordinate a fragment shader reads
// (gl_TexCoord[0] across a point sprite, gl_PointCoord in GLSL ES); a #line
// directive then numbers the user's first line 1 (lineAfterDirective: the
// number the compiler gives the line after "#line 0"). The user's lines
// follow, their #version and #extension lines left blank and those built-ins
// renamed to the declared stand-ins (GLSL ES keeps every name starting "gl_"
// for itself), and "main" renamed too: a main of this layer's, after the
// last line, calls it and does what desktop GL does around it (the point
// size of glPointSize; the sprite coordinate).
char* TranslateToGlslEs(const char* source, ShaderStage stage, int lineAfterDirective);

// GLSL ES 1.00 numbers the line after "#line n" as n + 1; later GLSL, and
// ANGLE (Chromium's, and others') for every version, as n. The log of a
// probe that fails on the line after "#line ProbeLine" tells which: it names
// ProbeLine + 1 only under the first rule.
inline constexpr int ProbeLine = 4000;
inline constexpr const char* LineProbe = "#line 4000\nthis is not GLSL\n";
int LineAfterDirective(const char* probeLog);

// Gives the renamed built-ins in a compiler's log back the names the user
// wrote, in place (they are never longer).
void RestoreDesktopNames(char* log, ShaderStage stage);

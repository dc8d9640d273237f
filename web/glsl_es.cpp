#include "web/glsl_es.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A desktop name and the GLSL ES name that stands in for it.
struct Rename {
    const char* desktop;
    const char* es;
};

// Per stage: in a fragment shader gl_Color is what the vertex shader wrote to
// gl_FrontColor, so both become the one varying. Ends with a null entry.
static const Rename VertexRenames[] = {
    {"gl_Vertex", "glitter_Vertex"},
    {"gl_Color", "glitter_Color"},
    {"gl_ModelViewProjectionMatrix", "glitter_ModelViewProjectionMatrix"},
    {"gl_ModelViewMatrix", "glitter_ModelViewMatrix"},
    {"gl_ProjectionMatrix", "glitter_ProjectionMatrix"},
    {"ftransform", "glitter_ftransform"},
    {"gl_FrontColor", "glitter_FrontColor"},
    {"gl_TexCoord", "glitter_TexCoord"},
    {"sampler3D", "sampler2D"},
    {"texture3D", "glitter_texture3D"},
    {"main", "glitter_main"},
    {nullptr, nullptr},
};
static const Rename FragmentRenames[] = {
    {"gl_Color", "glitter_FrontColor"},
    {"gl_TexCoord", "glitter_TexCoord"},
    {"sampler3D", "sampler2D"},
    {"texture3D", "glitter_texture3D"},
    {"main", "glitter_main"},
    {nullptr, nullptr},
};

// WebGL has no 3D textures: a sampler3D becomes a 2D one, read at the
// point's x and y. Nothing is ever bound to it ("Noise3D" is offered to the
// shaders, not filled), so it reads as black either way.
#define TEXTURE3D "vec4 glitter_texture3D(sampler2D s, vec3 p) { return texture2D(s, p.xy); }\n"

// highp where the fragment stage has it: a uniform used by both stages must
// have the same precision in each, and vertex shaders are highp.
static const char* const VertexPrelude =
    "precision highp float;\n"
    "attribute vec4 glitter_Vertex;\n"
    "attribute vec4 glitter_Color;\n"
    "uniform mat4 glitter_ModelViewProjectionMatrix;\n"
    "uniform mat4 glitter_ModelViewMatrix;\n"
    "uniform mat4 glitter_ProjectionMatrix;\n"
    "uniform float glitter_PointSize;\n"
    "varying vec4 glitter_FrontColor;\n"
    "vec4 glitter_TexCoord[4];\n"
    "vec4 glitter_ftransform() { return glitter_ModelViewProjectionMatrix * glitter_Vertex; }\n"
    TEXTURE3D;
static const char* const FragmentPrelude =
    "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
    "precision highp float;\n"
    "#else\n"
    "precision mediump float;\n"
    "#endif\n"
    "varying vec4 glitter_FrontColor;\n"
    "vec4 glitter_TexCoord[4];\n"
    TEXTURE3D;

// "#line " and a number, then a line end.
static const size_t LineDirectiveBytes = 20;

// Fixed-function point size: desktop GL takes glPointSize's unless the
// shader asks to set its own, which the program never does.
static const char* const VertexMain =
    "\nvoid main() { glitter_main(); gl_PointSize = glitter_PointSize; }\n";
// Every point is a sprite in WebGL: texture coordinate 0 runs across it.
static const char* const FragmentMain =
    "\nvoid main() { glitter_TexCoord[0] = vec4(gl_PointCoord, 0.0, 1.0); glitter_main(); }\n";

// The longest growth of a name, in bytes per byte of the source: "main"
// (4) becomes "glitter_main" (12).
static const size_t MaxGrowth = 3;

static bool IsNameCharacter(char c)
{
    return isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Whether line (up to its end) is a #version directive.
static bool IsVersionLine(const char* line)
{
    line += strspn(line, " \t");
    if (*line != '#')
        return false;
    line += 1 + strspn(line + 1, " \t");
    return strncmp(line, "version", 7) == 0 && !IsNameCharacter(line[7]);
}

// The replacement of the name of length characters at name, or null.
static const char* Replacement(const Rename* renames, const char* name, size_t length)
{
    for (const Rename* r = renames; r->desktop; r++)
        if (strlen(r->desktop) == length && strncmp(r->desktop, name, length) == 0)
            return r->es;
    return nullptr;
}

// Appends text to the output at *end.
static void Put(char** end, const char* text, size_t length)
{
    memcpy(*end, text, length);
    *end += length;
}

int LineAfterDirective(const char* probeLog)
{
    char next[16];
    snprintf(next, sizeof next, "%d", ProbeLine + 1);
    return strstr(probeLog, next) ? 1 : 0;
}

char* TranslateToGlslEs(const char* source, ShaderStage stage, int lineAfterDirective)
{
    const bool vertex = stage == VertexStage;
    const char* prelude = vertex ? VertexPrelude : FragmentPrelude;
    const char* wrapper = vertex ? VertexMain : FragmentMain;
    const Rename* renames = vertex ? VertexRenames : FragmentRenames;
    char* translated = static_cast<char*>(
        malloc(strlen(prelude) + LineDirectiveBytes + MaxGrowth * strlen(source) + strlen(wrapper) + 1));
    if (!translated)
        return nullptr;
    char* end = translated;
    Put(&end, prelude, strlen(prelude));
    end += snprintf(end, LineDirectiveBytes, "#line %d\n", 1 - lineAfterDirective);
    for (const char* c = source; *c;) {
        const bool lineStart = c == source || c[-1] == '\n';
        if (lineStart && IsVersionLine(c)) {
            c += strcspn(c, "\n");   // GLSL ES is version 100 without being told
            continue;
        }
        if (!IsNameCharacter(*c) || (c > source && IsNameCharacter(c[-1]))) {
            *end++ = *c++;
            continue;
        }
        size_t length = 0;
        while (IsNameCharacter(c[length]))
            length++;
        const char* es = Replacement(renames, c, length);
        if (es)
            Put(&end, es, strlen(es));
        else
            Put(&end, c, length);
        c += length;
    }
    Put(&end, wrapper, strlen(wrapper) + 1);
    return translated;
}

void RestoreDesktopNames(char* log, ShaderStage stage)
{
    const Rename* renames = stage == VertexStage ? VertexRenames : FragmentRenames;
    char* out = log;
    for (const char* c = log; *c;) {
        size_t length = 0;
        if (IsNameCharacter(*c) && (c == log || !IsNameCharacter(c[-1])))
            while (IsNameCharacter(c[length]))
                length++;
        // Only the names this layer made up: "sampler2D" may be the user's own.
        const Rename* found = nullptr;
        for (const Rename* r = renames; length && r->desktop; r++)
            if (strncmp(r->es, "glitter_", 8) == 0 && strlen(r->es) == length && strncmp(r->es, c, length) == 0)
                found = r;
        if (found) {
            const size_t desktopLength = strlen(found->desktop);
            memmove(out, found->desktop, desktopLength);
            out += desktopLength;
            c += length;
        } else if (length) {
            memmove(out, c, length);
            out += length;
            c += length;
        } else {
            *out++ = *c++;
        }
    }
    *out = '\0';
}

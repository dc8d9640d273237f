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
    // One coordinate, the sprite's: SwiftShader (WebGL without a GPU) makes
    // a longer array, written in main, cost every fragment twice the time.
    "vec4 glitter_TexCoord[1];\n"
    TEXTURE3D;

// Fixed-function point size: desktop GL takes glPointSize's unless the
// shader asks to set its own, which the program never does.
static const char* const VertexMain =
    "\nvoid main() { glitter_main(); gl_PointSize = glitter_PointSize; }\n";
// Every point is a sprite in WebGL: texture coordinate 0 runs across it.
static const char* const FragmentMain =
    "\nvoid main() { glitter_TexCoord[0] = vec4(gl_PointCoord, 0.0, 1.0); glitter_main(); }\n";

// dFdx, dFdy and fwidth are built into desktop GLSL; GLSL ES has them from
// this extension, which the context enables.
static const char* const DerivativesExtension = "#extension GL_OES_standard_derivatives : enable\n";

static bool IsNameCharacter(char c)
{
    return isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Whether line (up to its end) is the preprocessor directive named name.
static bool IsDirectiveLine(const char* line, const char* name)
{
    line += strspn(line, " \t");
    if (*line != '#')
        return false;
    line += 1 + strspn(line + 1, " \t");
    const size_t length = strlen(name);
    return strncmp(line, name, length) == 0 && !IsNameCharacter(line[length]);
}

// The length of the name starting at c, or 0 when no name starts there.
static size_t NameAt(const char* source, const char* c)
{
    if (!IsNameCharacter(*c) || (c > source && IsNameCharacter(c[-1])))
        return 0;
    size_t length = 0;
    while (IsNameCharacter(c[length]))
        length++;
    return length;
}

// The replacement of the name of length characters at name, or null.
static const char* Replacement(const Rename* renames, const char* name, size_t length)
{
    for (const Rename* r = renames; r->desktop; r++)
        if (strlen(r->desktop) == length && strncmp(r->desktop, name, length) == 0)
            return r->es;
    return nullptr;
}

static bool UsesDerivatives(const char* source)
{
    static const Rename Derivatives[] = {{"dFdx", ""}, {"dFdy", ""}, {"fwidth", ""}, {nullptr, nullptr}};
    for (const char* c = source; *c; c++)
        if (const size_t length = NameAt(source, c))
            if (Replacement(Derivatives, c, length))
                return true;
    return false;
}

// Where the translation goes: while at is null it is only measured, so that
// exactly what it needs is allocated before it is written.
struct Output {
    char* at;
    size_t length;
};

static void Put(Output* out, const char* text, size_t length)
{
    if (out->at)
        memcpy(out->at + out->length, text, length);
    out->length += length;
}

static void PutText(Output* out, const char* text)
{
    Put(out, text, strlen(text));
}

// GLSL ES takes #extension only before anything else: the derivatives'
// extension if the fragment shader uses them, then the user's own lines.
static void PutExtensions(Output* out, const char* source, ShaderStage stage)
{
    if (stage == FragmentStage && UsesDerivatives(source))
        PutText(out, DerivativesExtension);
    for (const char* line = source; *line;) {
        const size_t length = strcspn(line, "\n");
        if (IsDirectiveLine(line, "extension")) {
            Put(out, line, length);
            PutText(out, "\n");
        }
        line += length + (line[length] == '\n');
    }
}

// The user's lines, built-ins renamed; the #version line, and the #extension
// lines moved to the top, are left blank so that every line keeps its number.
static void PutUserLines(Output* out, const char* source, const Rename* renames)
{
    for (const char* c = source; *c;) {
        const bool lineStart = c == source || c[-1] == '\n';
        if (lineStart && (IsDirectiveLine(c, "version") || IsDirectiveLine(c, "extension"))) {
            c += strcspn(c, "\n");   // GLSL ES is version 100 without being told
            continue;
        }
        const size_t length = NameAt(source, c);
        if (!length) {
            Put(out, c++, 1);
            continue;
        }
        const char* es = Replacement(renames, c, length);
        if (es)
            PutText(out, es);
        else
            Put(out, c, length);
        c += length;
    }
}

static void Translate(Output* out, const char* source, ShaderStage stage, int lineAfterDirective)
{
    const bool vertex = stage == VertexStage;
    PutExtensions(out, source, stage);
    PutText(out, vertex ? VertexPrelude : FragmentPrelude);
    char directive[32];
    snprintf(directive, sizeof directive, "#line %d\n", 1 - lineAfterDirective);
    PutText(out, directive);
    PutUserLines(out, source, vertex ? VertexRenames : FragmentRenames);
    PutText(out, vertex ? VertexMain : FragmentMain);
}

int LineAfterDirective(const char* probeLog)
{
    char next[16];
    snprintf(next, sizeof next, "%d", ProbeLine + 1);
    return strstr(probeLog, next) ? 1 : 0;
}

char* TranslateToGlslEs(const char* source, ShaderStage stage, int lineAfterDirective)
{
    Output measured = {nullptr, 0};
    Translate(&measured, source, stage, lineAfterDirective);
    char* translated = static_cast<char*>(malloc(measured.length + 1));
    if (!translated)
        return nullptr;
    Output out = {translated, 0};
    Translate(&out, source, stage, lineAfterDirective);
    translated[out.length] = '\0';
    return translated;
}

void RestoreDesktopNames(char* log, ShaderStage stage)
{
    const Rename* renames = stage == VertexStage ? VertexRenames : FragmentRenames;
    char* out = log;
    for (const char* c = log; *c;) {
        const size_t length = NameAt(log, c);
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

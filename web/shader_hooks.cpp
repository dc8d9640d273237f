// Desktop GLSL on WebGL: each shader's source is turned into GLSL ES as it
// is handed over (glsl_es.cpp), its log gets the user's names back, and a
// program made of a vertex shader alone gets the fixed-function fragment
// stage WebGL lacks. What each shader is and what each program has attached
// is kept here, as the layer learns it, rather than asked of WebGL; and
// when a program is linked, the uniforms that stand in for desktop GL's
// built-ins are looked up once, for every draw with it.
#include "web/gl_compat.h"
#include "web/glsl_es.h"
#include "web/layer.h"

#include <cstdlib>
#include <cstring>

struct ShaderRecord {
    GLuint shader;   // 0: a free slot
    ShaderStage stage;
};

struct ProgramRecord {
    GLuint program;   // 0: a free slot
    bool hasFragmentShader;
    LinkedProgram linked;
};

// Far more than are ever alive at once: the program keeps two programs and
// frees its shaders once attached; the layer keeps four programs.
static ShaderRecord shaders[32];
static ProgramRecord programs[32];
static const LinkedProgram NotLinked = {-1, -1, -1, -1, 0};

// The fixed-function fragment stage, attached to every program without one.
static GLuint fixedFragmentShader = 0;
// How this browser's compiler numbers the line after a #line directive.
static int lineAfterDirective = 0;

static const char* const FixedFragment =
    "precision mediump float;\n"
    "varying vec4 glitter_FrontColor;\n"
    "void main() { gl_FragColor = glitter_FrontColor; }\n";

static ShaderRecord* ShaderRecordOf(GLuint shader)
{
    for (ShaderRecord& record : shaders)
        if (record.shader == shader)
            return &record;
    return nullptr;
}

static ProgramRecord* ProgramRecordOf(GLuint program)
{
    for (ProgramRecord& record : programs)
        if (record.program == program)
            return &record;
    return nullptr;
}

// The record of program, made on first need; null if there is no room.
static ProgramRecord* NewOrKnownProgram(GLuint program)
{
    ProgramRecord* record = ProgramRecordOf(program);
    if (!record && (record = ProgramRecordOf(0)))
        *record = ProgramRecord{program, false, NotLinked};
    return record;
}

static ShaderStage StageOf(GLuint shader)
{
    const ShaderRecord* record = ShaderRecordOf(shader);
    return record ? record->stage : VertexStage;
}

const LinkedProgram& LinkedProgramOf(GLuint program)
{
    const ProgramRecord* record = program ? ProgramRecordOf(program) : nullptr;
    return record ? record->linked : NotLinked;
}

// The attribute locations a linked program reads.
static unsigned AttribsRead(GLuint program)
{
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_ATTRIBUTES, &count);
    unsigned attribs = 0;
    for (GLint i = 0; i < count; i++) {
        char name[256];
        GLint size = 0;
        GLenum type = 0;
        glGetActiveAttrib(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
        const GLint location = glGetAttribLocation(program, name);
        if (location >= 0 && location < static_cast<GLint>(AttribLocations))
            attribs |= 1u << location;
    }
    return attribs;
}

// Links program (the names of gl_Vertex's and gl_Color's stand-ins bound
// first, to vertex and colour), then learns what its draws need.
static void LinkAndLookUp(GLuint program, GLuint vertex, GLuint colour)
{
    glBindAttribLocation(program, vertex, "glitter_Vertex");
    glBindAttribLocation(program, colour, "glitter_Color");
    glLinkProgram(program);
    if (ProgramRecord* record = NewOrKnownProgram(program))
        record->linked = LinkedProgram{glGetUniformLocation(program, "glitter_ModelViewProjectionMatrix"),
                                       glGetUniformLocation(program, "glitter_ModelViewMatrix"),
                                       glGetUniformLocation(program, "glitter_ProjectionMatrix"),
                                       glGetUniformLocation(program, "glitter_PointSize"), AttribsRead(program)};
}

static GLuint CompileLayerShader(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint BuildLayerProgram(const char* vertexSource, const char* fragmentSource, GLuint vertexLocation,
                         GLuint colourLocation)
{
    const GLuint program = glCreateProgram();
    const GLuint vertex = CompileLayerShader(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = CompileLayerShader(GL_FRAGMENT_SHADER, fragmentSource);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, TexCoordLocation, "glitter_TexCoord");
    LinkAndLookUp(program, vertexLocation, colourLocation);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return program;
}

// Compiles the line-numbering probe and reads its log.
static int ProbeLineNumbering()
{
    const GLuint probe = CompileLayerShader(GL_VERTEX_SHADER, LineProbe);
    char log[1024] = "";
    glGetShaderInfoLog(probe, sizeof log, nullptr, log);
    glDeleteShader(probe);
    return LineAfterDirective(log);
}

void SetUpShaderHooks()
{
    memset(shaders, 0, sizeof shaders);
    memset(programs, 0, sizeof programs);
    fixedFragmentShader = CompileLayerShader(GL_FRAGMENT_SHADER, FixedFragment);
    lineAfterDirective = ProbeLineNumbering();
}

GLuint CompatCreateShader(GLenum type)
{
    const GLuint shader = glCreateShader(type);
    if (ShaderRecord* record = ShaderRecordOf(0))
        *record = ShaderRecord{shader, type == GL_FRAGMENT_SHADER ? FragmentStage : VertexStage};
    return shader;
}

void CompatDeleteShader(GLuint shader)
{
    if (ShaderRecord* record = shader ? ShaderRecordOf(shader) : nullptr)
        record->shader = 0;
    glDeleteShader(shader);
}

void CompatShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths)
{
    // One text of all the strings, each of its given length or up to its NUL.
    size_t total = 0;
    for (GLsizei i = 0; i < count; i++)
        total += lengths && lengths[i] >= 0 ? static_cast<size_t>(lengths[i]) : strlen(strings[i]);
    char* source = static_cast<char*>(malloc(total + 1));
    if (!source)
        return;
    char* end = source;
    for (GLsizei i = 0; i < count; i++) {
        const size_t length = lengths && lengths[i] >= 0 ? static_cast<size_t>(lengths[i]) : strlen(strings[i]);
        memcpy(end, strings[i], length);
        end += length;
    }
    *end = '\0';
    // Without memory for the translation, the source as it is: the
    // compiler then says what GLSL ES makes of it.
    char* translated = TranslateToGlslEs(source, StageOf(shader), lineAfterDirective);
    const char* given = translated ? translated : source;
    glShaderSource(shader, 1, &given, nullptr);
    free(translated);
    free(source);
}

void CompatGetShaderInfoLog(GLuint shader, GLsizei size, GLsizei* length, GLchar* log)
{
    glGetShaderInfoLog(shader, size, length, log);
    if (size <= 0)
        return;
    RestoreDesktopNames(log, StageOf(shader));
    if (length)
        *length = static_cast<GLsizei>(strlen(log));
}

void CompatAttachShader(GLuint program, GLuint shader)
{
    glAttachShader(program, shader);
    ProgramRecord* record = NewOrKnownProgram(program);
    if (record && StageOf(shader) == FragmentStage)
        record->hasFragmentShader = true;
}

void CompatLinkProgram(GLuint program)
{
    // WebGL has no fixed-function fragment stage to fall back on.
    ProgramRecord* record = NewOrKnownProgram(program);
    if (record && !record->hasFragmentShader) {
        glAttachShader(program, fixedFragmentShader);
        record->hasFragmentShader = true;
    }
    LinkAndLookUp(program, VertexLocation, ColorLocation);
}

void CompatDeleteProgram(GLuint program)
{
    if (ProgramRecord* record = program ? ProgramRecordOf(program) : nullptr)
        record->program = 0;
    glDeleteProgram(program);
}

// Program 0 is fixed function, which has no uniforms to find: a mode whose
// shaders did not build after the graphics came back draws without them.
GLint CompatGetUniformLocation(GLuint program, const GLchar* name)
{
    return program ? glGetUniformLocation(program, name) : -1;
}

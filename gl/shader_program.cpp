#include "gl/shader_program.h"

#include "gl/knob_annotations.h"
#include "gl/shader_log.h"
#include "gl/text_file.h"

#include <cstdio>
#include <cstdlib>

// Prints the info log of a shader or a program (fetched through the matching
// pair of GL queries), under "path:" when a path is given, and keeps its start
// in the failure for whoever shows it. An empty log (a length of 1 is just
// its terminating NUL) prints nothing. Returns false with failure set only
// when there is no memory for the log.
static bool PrintInfoLog(GLuint object, PFNGLGETSHADERIVPROC getLength, PFNGLGETSHADERINFOLOGPROC getLog,
                         const char* kind, const char* path, Failure* failure)
{
    failure->log[0] = '\0';
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1)
        return true;
    char* log = static_cast<char*>(malloc(static_cast<size_t>(length)));
    if (!log)
        return Fail(failure, "Cannot allocate %d bytes of text for %s log\n", length, kind);
    getLog(object, length, nullptr, log);
    if (path)
        PrintDiagnostic("%s:\n", path);
    PrintDiagnostic("%s\n", log);
    snprintf(failure->log, sizeof failure->log, "%s", log);
    free(log);
    return true;
}

bool CheckShaderCompile(GLuint shader, const char* path, Failure* failure)
{
    // The log comes first, so warnings show even when compiling succeeds.
    if (!PrintInfoLog(shader, glGetShaderiv, glGetShaderInfoLog, "shader", path, failure))
        return false;
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    return compiled || Fail(failure, "Error compiling %s\n", path);
}

bool CheckProgramLink(GLuint program, Failure* failure)
{
    if (!PrintInfoLog(program, glGetProgramiv, glGetProgramInfoLog, "program", nullptr, failure))
        return false;
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked || Fail(failure, "Error linking program\n");
}

// Compiles one shader stage from its file and attaches it to the program,
// reading the knobs of the very text that compiled into knobs if given.
// The shader is flagged for deletion at once: GL keeps it while it is
// attached, and frees it with the program.
static bool AttachShaderFile(GLuint program, GLenum type, const char* path, Failure* failure, KnobList* knobs)
{
    char* source = LoadTextFile(path, failure);
    if (!source)
        return false;
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    const bool compiled = CheckShaderCompile(shader, path, failure);
    if (compiled) {
        glAttachShader(program, shader);
        if (knobs)
            ReadKnobAnnotations(source, path, knobs);
    } else {   // quoted from the text that failed, whatever the file holds by now
        failure->line = FirstErrorLine(failure->log);
        snprintf(failure->file, sizeof failure->file, "%s", path);
        QuoteSourceLine(source, failure->line, failure->sourceLine, sizeof failure->sourceLine);
    }
    free(source);
    glDeleteShader(shader);
    return compiled;
}

GLuint TryCreateShaderProg(const char* vertexPath, const char* fragmentPath, Failure* failure, KnobList* knobs)
{
    if (knobs)
        knobs->count = knobs->warningCount = 0;
    const GLuint program = glCreateProgram();
    if ((vertexPath && !AttachShaderFile(program, GL_VERTEX_SHADER, vertexPath, failure, knobs)) ||
        (fragmentPath && !AttachShaderFile(program, GL_FRAGMENT_SHADER, fragmentPath, failure, knobs))) {
        glDeleteProgram(program);
        return 0;
    }
    // Attribute locations only take effect at link time, so bind them first.
    for (int i = 0; AttribNames[i]; i++)
        if (AttribNames[i][0])
            glBindAttribLocation(program, static_cast<GLuint>(i), AttribNames[i]);
    ReportGLError("CreateShaderProg");
    glLinkProgram(program);
    if (!CheckProgramLink(program, failure)) {
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

GLuint CreateShaderProg(const char* vertexPath, const char* fragmentPath, KnobList* knobs)
{
    Failure failure = {};
    const GLuint program = TryCreateShaderProg(vertexPath, fragmentPath, &failure, knobs);
    if (!program)
        ExitWithError("%s", failure.message);
    return program;
}

#include "gl/shader_program.h"

#include "gl/diagnostics.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

const char* const AttribNames[] = {"", "", "", "", "Vel", "Start", nullptr};

// Measures an open file by seeking to its end. Only regular files are
// measured: a directory or a pipe may "open" fine, yet its seek position is
// meaningless (a directory can report an enormous size).
static long MeasureTextFile(FILE* file, const char* path)
{
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
        ExitWithError("Cannot read text file %s: not a regular file\n", path);
    if (fseek(file, 0, SEEK_END) != 0)
        ExitWithError("Cannot find the size of text file %s\n", path);
    const long length = ftell(file);
    if (length < 0)
        ExitWithError("Cannot find the size of text file %s\n", path);
    rewind(file);
    return length;
}

char* LoadTextFile(const char* path)
{
    FILE* file = fopen(path, "rt");
    if (!file)
        ExitWithError("Cannot open text file %s\n", path);
    const long length = MeasureTextFile(file, path);
    char* text = static_cast<char*>(malloc(static_cast<size_t>(length) + 1));
    if (!text)
        ExitWithError("Cannot allocate %ld bytes for text file %s\n", length + 1, path);
    // One item of the whole length: an empty file reads zero items and fails,
    // as does a file that shrinks while it is read.
    if (fread(text, static_cast<size_t>(length), 1, file) != 1)
        ExitWithError("Cannot read %ld bytes for text file %s\n", length, path);
    text[length] = '\0';
    fclose(file);
    return text;
}

// Fetches the info log of a shader or a program (through the matching pair of
// GL queries) into a new heap buffer, or returns null when the log is empty:
// a length of 1 is just its terminating NUL.
static char* FetchInfoLog(GLuint object, PFNGLGETSHADERIVPROC getLength,
                          PFNGLGETSHADERINFOLOGPROC getLog, const char* kind)
{
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1)
        return nullptr;
    char* log = static_cast<char*>(malloc(static_cast<size_t>(length)));
    if (!log)
        ExitWithError("Cannot allocate %d bytes of text for %s log\n", length, kind);
    getLog(object, length, nullptr, log);
    return log;
}

void CheckShaderCompile(GLuint shader, const char* path)
{
    // The log comes first, so warnings show even when compiling succeeds.
    if (char* log = FetchInfoLog(shader, glGetShaderiv, glGetShaderInfoLog, "shader")) {
        fprintf(stderr, "%s:\n%s\n", path, log);
        free(log);
    }
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled)
        ExitWithError("Error compiling %s\n", path);
}

void CheckProgramLink(GLuint program)
{
    if (char* log = FetchInfoLog(program, glGetProgramiv, glGetProgramInfoLog, "program")) {
        fprintf(stderr, "%s\n", log);
        free(log);
    }
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked)
        ExitWithError("Error linking program\n");
}

// Compiles one shader stage from its file and attaches it to the program.
static void AttachShaderFile(GLuint program, GLenum type, const char* path)
{
    const GLuint shader = glCreateShader(type);
    char* source = LoadTextFile(path);
    glShaderSource(shader, 1, &source, nullptr);
    free(source);  // GL has taken its own copy of the source.
    glCompileShader(shader);
    CheckShaderCompile(shader, path);
    glAttachShader(program, shader);
}

GLuint CreateShaderProg(const char* vertexPath, const char* fragmentPath)
{
    const GLuint program = glCreateProgram();
    if (vertexPath)
        AttachShaderFile(program, GL_VERTEX_SHADER, vertexPath);
    if (fragmentPath)
        AttachShaderFile(program, GL_FRAGMENT_SHADER, fragmentPath);
    // Attribute locations only take effect at link time, so bind them first;
    // the draw code relies on "Vel" at 4 and "Start" at 5.
    for (int i = 0; AttribNames[i]; i++)
        if (AttribNames[i][0])
            glBindAttribLocation(program, static_cast<GLuint>(i), AttribNames[i]);
    ReportGLError("CreateShaderProg");
    glLinkProgram(program);
    CheckProgramLink(program);
    return program;
}

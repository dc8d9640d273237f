#include "gl/diagnostics.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void ExitWithError(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    exit(1);
}

void ReportGLError(const char* label)
{
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return;
    fprintf(stderr, "ERROR: %s [%s]\n",
            reinterpret_cast<const char*>(gluErrorString(error)), label);
}

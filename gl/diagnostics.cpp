#include "gl/diagnostics.h"

#include "gl/opengl.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void ExitWithError(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    vfprintf(stderr, format, args);
    va_end(args);
    // A program started from Explorer has no visible console by now.
    Failure shown;
    vsnprintf(shown.message, sizeof shown.message, format, again);
    va_end(again);
    ShowMessageIfConsoleHidden("Glitter", shown.message);
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

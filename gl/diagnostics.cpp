#include "gl/diagnostics.h"

#include "gl/console.h"
#include "gl/error_checks.h"
#include "gl/opengl.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

// The start of what has been printed, for a message box if the program has
// to stop: a box taller than the screen would hide its own OK button.
static const int TranscriptLines = 24;
static char transcript[2048];
static size_t transcriptLength = 0;
static int transcriptLines = 0;
static bool transcriptCut = false;

static void KeepInTranscript(const char* format, va_list args)
{
    if (transcriptCut)
        return;
    char text[sizeof transcript];
    vsnprintf(text, sizeof text, format, args);
    for (const char* c = text; *c; c++) {
        if (transcriptLength + 1 == sizeof transcript || transcriptLines == TranscriptLines) {
            transcriptCut = true;
            return;
        }
        transcript[transcriptLength++] = *c;
        transcriptLines += *c == '\n';
    }
}

void PrintDiagnostic(const char* format, ...)
{
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    vfprintf(stderr, format, args);
    KeepInTranscript(format, again);
    va_end(again);
    va_end(args);
}

void ExitWithError(const char* format, ...)
{
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    vfprintf(stderr, format, args);
    // A program started from Explorer has no visible console by now.
    static char shown[sizeof transcript + 1024];
    const int kept = snprintf(shown, sizeof shown, "%s%s", transcript, transcriptCut ? "...\n" : "");
    vsnprintf(shown + kept, sizeof shown - static_cast<size_t>(kept), format, again);
    va_end(again);
    va_end(args);
    ShowFatalMessage("Glitter", shown);
    exit(1);
}

void ReportGLError(const char* label)
{
    if (!TimeToCheckGLError(label))
        return;
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return;
    PrintDiagnostic("ERROR: %s [%s]\n", reinterpret_cast<const char*>(gluErrorString(error)), label);
}

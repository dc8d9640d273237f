// The web page: the program runs in the page's canvas and has no files of
// the user's to write, so --record is the desktop program's alone.
#include "app/recorder.h"

#include "gl/diagnostics.h"

void RecordGif(const char* path, double)
{
    ExitWithError("Cannot record %s: --record is for the desktop program, not the page\n", path);
}

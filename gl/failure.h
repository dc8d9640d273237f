// The message of a step that failed, handed to its caller to deal with:
// fatal at start-up, reported and survived when a file is reloaded.
#pragma once

#include "gl/printf_format.h"

struct Failure {
    char message[4096 + 256];   // room for any message around a path of up to 4096 bytes
    // The file could not be opened or read at that moment: another try may
    // succeed with the very same file (an editor may still hold it).
    bool unreadable;
    char log[1024];             // the start of the compiler's or linker's log, if any
    char sourceLine[256];       // the line a compile error points at, as "  12 | text"
    int line;                   // its number, 0 when the log names none
    char file[256];             // the shader file that did not compile, "" for any other failure
};

// Formats the message into failure and returns false, so that a check reads
// "return Fail(...)". The message ends in its own newline, like every other.
bool Fail(Failure* failure, const char* format, ...) PRINTF_FORMAT(2, 3);

// The same, for a file that could not be opened or read.
bool FailToRead(Failure* failure, const char* format, ...) PRINTF_FORMAT(2, 3);

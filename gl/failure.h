// The message of a step that failed, handed to its caller to deal with:
// fatal at start-up, reported and survived when a file is reloaded.
#pragma once

#include "app/platform.h"

struct Failure {
    char message[4096 + 256];   // room for any message around a path of up to 4096 bytes
};

// Formats the message into failure and returns false, so that a check reads
// "return Fail(...)". The message ends in its own newline, like every other.
bool Fail(Failure* failure, const char* format, ...) PRINTF_FORMAT(2, 3);

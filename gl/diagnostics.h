// The program's one way of reporting trouble: fatal start-up errors and
// non-fatal GL errors.
#pragma once

#include "gl/failure.h"

// Prints the printf-style message to stderr exactly as formatted (callers
// supply their own newline) and exits with status 1 through exit(), so
// buffered output is flushed. Where the console was hidden, the message is
// also shown in a message box first. Never returns.
[[noreturn]] void ExitWithError(const char* format, ...) PRINTF_FORMAT(1, 2);

// Fetches one GL error flag; if one is set, prints "ERROR: <text> [<label>]".
// GL keeps any other pending flags for later calls to report.
void ReportGLError(const char* label);

// The program's one way of reporting trouble: fatal start-up errors,
// non-fatal GL errors, and every other line for the user on stderr.
#pragma once

#include "gl/failure.h"

// Prints the printf-style message to stderr exactly as formatted (callers
// supply their own newline) and exits with status 1 through exit(), so
// buffered output is flushed. Where stderr may be out of sight (a hidden
// console, a web page), the user is first shown what it would have shown:
// the lines printed so far (as many as a message box can hold) and this
// message. Never returns.
[[noreturn]] void ExitWithError(const char* format, ...) PRINTF_FORMAT(1, 2);

// Fetches one GL error flag; if one is set, prints "ERROR: <text> [<label>]".
// GL keeps any other pending flags for later calls to report. In a browser
// the frame's check ("display") fetches only about once a second
// (gl/error_checks.h).
void ReportGLError(const char* label);

// Prints printf-style text to stderr, as every diagnostic is printed.
void PrintDiagnostic(const char* format, ...) PRINTF_FORMAT(1, 2);

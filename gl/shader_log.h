// Reading a compiler's info log back against the source it compiled, so a
// failed build can show the very line it complains about.
#pragma once

#include <cstddef>

// The source line number of the first error in a shader compiler's log, in
// any of the forms drivers write it: "0:12(5): error: ..." (Mesa),
// "0(12) : error C0000: ..." (NVIDIA), "ERROR: 0:12: ..." (AMD, Intel on
// Windows, Apple). 0 when no error line names a line.
int FirstErrorLine(const char* log);

// Writes line number (counted from 1) of source into quote as
// "  12 | text", without its indent or line end and with tabs and other
// control characters as spaces; "" when source has no such line.
void QuoteSourceLine(const char* source, int number, char* quote, size_t size);

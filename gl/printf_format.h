// Lets compilers that can check printf-style arguments against the format.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
#define PRINTF_FORMAT(formatIndex, firstArgIndex) \
    __attribute__((format(printf, formatIndex, firstArgIndex)))
#else
#define PRINTF_FORMAT(formatIndex, firstArgIndex)
#endif

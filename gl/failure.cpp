#include "gl/failure.h"

#include <cstdarg>
#include <cstdio>

bool Fail(Failure* failure, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vsnprintf(failure->message, sizeof failure->message, format, args);
    va_end(args);
    return false;
}

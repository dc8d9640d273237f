#include "gl/failure.h"

#include <cstdarg>
#include <cstdio>

static bool Record(Failure* failure, bool unreadable, const char* format, va_list args)
{
    vsnprintf(failure->message, sizeof failure->message, format, args);
    failure->unreadable = unreadable;
    return false;
}

bool Fail(Failure* failure, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Record(failure, false, format, args);
    va_end(args);
    return false;
}

bool FailToRead(Failure* failure, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Record(failure, true, format, args);
    va_end(args);
    return false;
}

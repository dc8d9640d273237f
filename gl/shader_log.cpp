#include "gl/shader_log.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Reads the digits at text, if any: returns the first character after them
// and stores their value; returns null when text does not start with one.
static const char* Number(const char* text, int* value)
{
    if (!isdigit(static_cast<unsigned char>(*text)))
        return nullptr;
    char* end = nullptr;
    *value = static_cast<int>(strtol(text, &end, 10));
    return end;
}

// The line of "string:line" or "string(line)" starting at text, or 0.
static int LocationAt(const char* text)
{
    int string = 0, line = 0;
    const char* after = Number(text, &string);
    if (!after)
        return 0;
    if (*after == ':' && Number(after + 1, &line))
        return line;
    if (*after == '(' && (after = Number(after + 1, &line)) && *after == ')')
        return line;
    return 0;
}

// The first location in one line of the log (up to end), or 0.
static int LocationInLine(const char* line, const char* end)
{
    for (const char* c = line; c < end; c++) {
        // A location starts a number: not in the middle of one.
        if (c > line && isdigit(static_cast<unsigned char>(c[-1])))
            continue;
        if (const int found = LocationAt(c))
            return found;
    }
    return 0;
}

static bool MentionsError(const char* line, const char* end)
{
    for (const char* c = line; c + 5 <= end; c++)
        if (strncmp(c, "error", 5) == 0 || strncmp(c, "ERROR", 5) == 0)
            return true;
    return false;
}

int FirstErrorLine(const char* log)
{
    for (const char* line = log; *line;) {
        const char* end = strchr(line, '\n');
        if (!end)
            end = line + strlen(line);
        if (MentionsError(line, end))
            if (const int found = LocationInLine(line, end))
                return found;
        line = *end ? end + 1 : end;
    }
    return 0;
}

void QuoteSourceLine(const char* source, int number, char* quote, size_t size)
{
    quote[0] = '\0';
    const char* line = source;
    for (int i = 1; i < number && line; i++) {
        line = strchr(line, '\n');
        line = line ? line + 1 : nullptr;
    }
    if (number < 1 || !line || (!*line && line != source))
        return;
    line += strspn(line, " \t");   // the indent tells nothing here, and the room is short
    const int prefix = snprintf(quote, size, "%4d | ", number);
    if (prefix < 0 || static_cast<size_t>(prefix) >= size) {
        quote[0] = '\0';
        return;
    }
    size_t used = static_cast<size_t>(prefix);
    for (const char* c = line; *c && *c != '\n' && *c != '\r' && used + 1 < size; c++)
        quote[used++] = iscntrl(static_cast<unsigned char>(*c)) ? ' ' : *c;
    quote[used] = '\0';
}

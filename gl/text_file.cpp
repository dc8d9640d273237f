#include "gl/text_file.h"

#include "gl/files.h"

#include <cstdio>
#include <cstdlib>

// The largest shader file read: far beyond any real shader (the gallery's
// largest is under 8 KB), and small enough that reading one, and the web
// build's translation of it, never runs a browser tab out of memory.
static const long MaxShaderBytes = 1 << 20;

// Measures an open file by seeking to its end, or returns -1 with failure
// set.
static long MeasureTextFile(FILE* file, const char* path, Failure* failure)
{
    const long length = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
    if (length < 0) {
        FailToRead(failure, "Cannot find the size of text file %s\n", path);
        return -1;
    }
    rewind(file);
    return length;
}

// Reads exactly length bytes of the open file into a new buffer, NUL added.
static char* ReadWhole(FILE* file, long length, const char* path, Failure* failure)
{
    char* text = static_cast<char*>(malloc(static_cast<size_t>(length) + 1));
    if (!text) {
        Fail(failure, "Cannot allocate %ld bytes for text file %s\n", length + 1, path);
        return nullptr;
    }
    // One item of the whole length: an empty file reads zero items and fails,
    // as does a file that shrinks while it is read (an editor may be saving
    // it: worth another try).
    if (fread(text, static_cast<size_t>(length), 1, file) != 1) {
        free(text);
        FailToRead(failure, "Cannot read %ld bytes for text file %s\n", length, path);
        return nullptr;
    }
    text[length] = '\0';
    return text;
}

char* LoadTextFile(const char* path, Failure* failure)
{
    bool notRegular = false;
    FILE* file = OpenRegularFile(path, &notRegular);
    if (!file) {
        // Nothing else is a file the program can read: not even another try
        // will read a folder or a pipe.
        if (notRegular)
            Fail(failure, "Cannot read text file %s: not a regular file\n", path);
        else
            FailToRead(failure, "Cannot open text file %s\n", path);
        return nullptr;
    }
    const long length = MeasureTextFile(file, path, failure);
    char* text = nullptr;
    // Refused before anything is allocated for it, and not tried again until
    // it changes: another look would find it just as large.
    if (length > MaxShaderBytes)
        Fail(failure, "Cannot read text file %s: %ld bytes, more than the %ld a shader may have\n", path, length,
             MaxShaderBytes);
    else if (length >= 0)
        text = ReadWhole(file, length, path, failure);
    fclose(file);
    return text;
}

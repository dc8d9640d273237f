// What differs between the systems Glitter runs on: the console window, a
// message box for a fatal error, and how files are opened and stamped. No
// other file asks which system it is built for.
#pragma once

#include <cstdio>

// Lets compilers that can check printf-style arguments against the format.
#if defined(__GNUC__) || defined(__clang__)
#define PRINTF_FORMAT(formatIndex, firstArgIndex) \
    __attribute__((format(printf, formatIndex, firstArgIndex)))
#else
#define PRINTF_FORMAT(formatIndex, firstArgIndex)
#endif

// Hides the console window that Windows opens for a console program started
// from Explorer, where nothing else shares it. A console the user started the
// program from (Command Prompt, PowerShell) stays, and elsewhere nothing
// happens.
void HideOwnConsole();

// Shows text in a message box if HideOwnConsole hid the console, so that a
// fatal message does not vanish with the program; otherwise does nothing.
void ShowMessageIfConsoleHidden(const char* title, const char* text);

// Opens path to read its bytes as stored, or returns null. The file stays
// free for an editor to save meanwhile: on Windows, others may still write,
// rename or delete it while it is open here.
FILE* OpenForReading(const char* path);

// True when the open file is a regular file: a folder or a device may open
// like one, yet has no length or text worth reading.
bool IsRegularFile(FILE* file);

// What a file looked like on disk at one moment: enough to tell that it was
// written, replaced or removed since. A link is followed to its file.
struct FileStamp {
    bool exists;
    long long size;           // bytes
    long long modified;       // last write, in the system's finest clock ticks
    unsigned long long node;  // identity on disk: a file renamed over the old
                              // one is another node even at the same size and time
};

// The stamp of the file at path now (exists is false when there is none).
// Allocates nothing.
FileStamp StampFile(const char* path);

bool SameStamp(const FileStamp& a, const FileStamp& b);

// A fingerprint of the first megabyte of the file at path: it tells an edit
// that kept the file's size and time (coarse clocks, tools that restore
// times). 0 when the file cannot be read. Allocates nothing, and leaves the
// file free to be saved meanwhile.
unsigned long long HashFile(const char* path);

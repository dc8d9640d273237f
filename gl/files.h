// Reading the program's four files and telling when they change, alike on
// every system. Each system has its own unit, chosen by the build:
// files_posix.cpp (Linux, macOS, the web) and files_windows.cpp.
#pragma once

#include <cstdio>

// Opens path to read its bytes as stored, if it is a regular file; never
// waits. Returns null when there is nothing to open, and also, with
// *notRegular set, when path is something else: a folder, a named pipe, a
// device or a socket may open like a file, yet has no length or text worth
// reading, and a pipe would keep the reader waiting for a writer. The file
// stays free for an editor to save meanwhile: on Windows, others may still
// write, rename or delete it while it is open here.
FILE* OpenRegularFile(const char* path, bool* notRegular);

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
// Never waits, allocates nothing.
FileStamp StampFile(const char* path);

bool SameStamp(const FileStamp& a, const FileStamp& b);

// A fingerprint of the first megabyte of the regular file at path: it tells
// an edit that kept the file's size and time (coarse clocks, tools that
// restore times). 0 when there is no regular file to read. Never waits,
// allocates nothing, and leaves the file free to be saved meanwhile.
unsigned long long HashFile(const char* path);

// What the systems' HashFile share: FNV-1a over the bytes read, in chunks of
// this buffer, up to HashedBytes.
inline constexpr size_t HashedBytes = 1 << 20;   // enough for any shader or sprite
inline constexpr unsigned long long HashStart = 14695981039346656037ULL;
extern unsigned char hashChunk[64 * 1024];
unsigned long long AddToHash(unsigned long long hash, const unsigned char* bytes, size_t count);

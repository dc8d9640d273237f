#include "gl/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A descriptor open for reading on the regular file at path, or -1, with
// *notRegular set if path names something else. O_NONBLOCK makes opening a
// named pipe return at once instead of waiting for a writer, maybe for ever;
// it changes nothing for a regular file, whose reads never wait on it.
static int OpenRegularDescriptor(const char* path, bool* notRegular)
{
    struct stat info;
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        // A socket cannot be opened at all: say what it is all the same.
        *notRegular = stat(path, &info) == 0 && !S_ISREG(info.st_mode);
        return -1;
    }
    // Judged on what was opened, not on the path, which may have changed since.
    *notRegular = fstat(descriptor, &info) == 0 && !S_ISREG(info.st_mode);
    if (*notRegular) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

FILE* OpenRegularFile(const char* path, bool* notRegular)
{
    const int descriptor = OpenRegularDescriptor(path, notRegular);
    if (descriptor < 0)
        return nullptr;
    FILE* file = fdopen(descriptor, "rb");
    if (!file)
        close(descriptor);
    return file;
}

FileStamp StampFile(const char* path)
{
    FileStamp stamp = {};
    struct stat info;
    if (stat(path, &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = info.st_size;
    // Nanoseconds: two saves within one second, of the same size, still differ.
#ifdef __APPLE__
    const timespec& modified = info.st_mtimespec;
#else
    const timespec& modified = info.st_mtim;
#endif
    stamp.modified = static_cast<long long>(modified.tv_sec) * 1000000000 + modified.tv_nsec;
    stamp.node = info.st_ino;
    return stamp;
}

unsigned long long HashFile(const char* path)
{
    // A plain descriptor: a FILE would be allocated.
    bool notRegular = false;
    const int descriptor = OpenRegularDescriptor(path, &notRegular);
    if (descriptor < 0)
        return 0;
    unsigned long long hash = HashStart;
    ssize_t got = 0;
    for (size_t total = 0; total < HashedBytes && (got = read(descriptor, hashChunk, sizeof hashChunk)) > 0;
         total += static_cast<size_t>(got))
        hash = AddToHash(hash, hashChunk, static_cast<size_t>(got));
    close(descriptor);
    return hash;
}

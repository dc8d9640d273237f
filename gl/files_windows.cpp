#include "gl/files.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

// Other programs may read, write, rename and delete a file while it is open
// here: an editor's save never fails because Glitter is looking.
static const DWORD ShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle open for reading on the regular file at path, or
// INVALID_HANDLE_VALUE, with *notRegular set if path names something else.
// CreateFile opens no folder without being asked to, and a named pipe or a
// device opens at once; what was opened is then asked what it is.
static HANDLE OpenRegularHandle(const char* path, bool* notRegular)
{
    const HANDLE handle = CreateFileA(path, GENERIC_READ, ShareEverything, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD attributes = GetFileAttributesA(path);
        *notRegular = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        return INVALID_HANDLE_VALUE;
    }
    *notRegular = GetFileType(handle) != FILE_TYPE_DISK;
    if (*notRegular) {
        CloseHandle(handle);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

FILE* OpenRegularFile(const char* path, bool* notRegular)
{
    // Not fopen: it shares a file for reading and writing only, so a save
    // that renames over it or deletes it would fail while it is open.
    const HANDLE handle = OpenRegularHandle(path, notRegular);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE* file = _fdopen(descriptor, "rb");
    if (!file)
        _close(descriptor);   // closes the handle with it
    return file;
}

static long long Ticks(const FILETIME& time)
{
    return static_cast<long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

FileStamp StampFile(const char* path)
{
    FileStamp stamp = {};
    // Opening the path (with no access asked for) reaches the file a link
    // points to, where the attributes of the path would describe the link.
    const HANDLE handle = CreateFileA(path, 0, ShareEverything, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return stamp;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(handle, &info)) {
        stamp.exists = true;
        stamp.size = static_cast<long long>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
        stamp.modified = Ticks(info.ftLastWriteTime);   // 100 ns ticks
        // The file's index on its volume. Not its creation time: NTFS gives
        // a file made anew under a name deleted moments before the old
        // file's creation time.
        stamp.node = static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    }
    CloseHandle(handle);
    return stamp;
}

unsigned long long HashFile(const char* path)
{
    bool notRegular = false;
    const HANDLE handle = OpenRegularHandle(path, &notRegular);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    unsigned long long hash = HashStart;
    DWORD got = 0;
    for (size_t total = 0; total < HashedBytes && ReadFile(handle, hashChunk, sizeof hashChunk, &got, nullptr) && got > 0;
         total += got)
        hash = AddToHash(hash, hashChunk, got);
    CloseHandle(handle);
    return hash;
}

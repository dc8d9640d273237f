#include "gl/platform.h"

bool SameStamp(const FileStamp& a, const FileStamp& b)
{
    return a.exists == b.exists && a.size == b.size && a.modified == b.modified && a.node == b.node;
}

static const size_t HashedBytes = 1 << 20;           // enough for any shader or sprite
static unsigned char hashChunk[64 * 1024];
static const unsigned long long HashStart = 14695981039346656037ULL;

// FNV-1a: simple, and any changed byte changes the hash.
static unsigned long long AddToHash(unsigned long long hash, const unsigned char* bytes, size_t count)
{
    for (size_t i = 0; i < count; i++)
        hash = (hash ^ bytes[i]) * 1099511628211ULL;
    return hash;
}

#ifdef _WIN32

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

static bool consoleHidden = false;

// Other programs may read, write, rename and delete a file while it is open
// here: an editor's save never fails because Glitter is looking.
static const DWORD ShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

void HideOwnConsole()
{
    const HWND console = GetConsoleWindow();
    if (!console)
        return;
    // A console that Windows made for this program alone lists just this
    // process; a shell that started the program shares its console and is
    // listed too.
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) != 1)
        return;
    ShowWindow(console, SW_HIDE);
    consoleHidden = true;
}

void ShowMessageIfConsoleHidden(const char* title, const char* text)
{
    if (consoleHidden)
        MessageBoxA(nullptr, text, title, MB_OK | MB_ICONERROR);
}

FILE* OpenForReading(const char* path)
{
    // fopen shares a file for reading and writing only, so a save that
    // renames over it or deletes it would fail while it is open.
    const HANDLE handle = CreateFileA(path, GENERIC_READ, ShareEverything, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool IsRegularFile(FILE* file)
{
    struct _stat64 info;
    return _fstat64(_fileno(file), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
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
    const HANDLE handle = CreateFileA(path, GENERIC_READ, ShareEverything, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
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

#else

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void HideOwnConsole()
{
}

void ShowMessageIfConsoleHidden(const char*, const char*)
{
}

FILE* OpenForReading(const char* path)
{
    return fopen(path, "rb");
}

bool IsRegularFile(FILE* file)
{
    struct stat info;
    return fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
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
    // Plain descriptors: a FILE would be allocated.
    const int descriptor = open(path, O_RDONLY);
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

#endif

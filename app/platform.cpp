#include "app/platform.h"

bool SameStamp(const FileStamp& a, const FileStamp& b)
{
    return a.exists == b.exists && a.size == b.size && a.modified == b.modified && a.node == b.node;
}

#ifdef _WIN32

#include <windows.h>

#include <io.h>
#include <sys/stat.h>

static bool consoleHidden = false;

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
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return stamp;
    stamp.exists = true;
    stamp.size = static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    stamp.modified = Ticks(data.ftLastWriteTime);   // 100 ns ticks
    // Windows has no inode here; a re-created file has a new creation time.
    stamp.node = static_cast<unsigned long long>(Ticks(data.ftCreationTime));
    return stamp;
}

#else

#include <sys/stat.h>

void HideOwnConsole()
{
}

void ShowMessageIfConsoleHidden(const char*, const char*)
{
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

#endif

#include "gl/console.h"

#include <windows.h>

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

void ShowFatalMessage(const char* title, const char* text)
{
    if (consoleHidden)
        MessageBoxA(nullptr, text, title, MB_OK | MB_ICONERROR);
}

// Linux and macOS: the program runs from a terminal or a launcher that keeps
// its stderr, and has no console window of its own to hide.
#include "gl/console.h"

void HideOwnConsole()
{
}

void ShowFatalMessage(const char*, const char*)
{
}

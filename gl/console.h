// How a fatal message reaches a user who may not be watching stderr. Each
// system has its own unit, chosen by the build: console_windows.cpp,
// console_none.cpp, and the web page's own.
#pragma once

// Hides the console window that Windows opens for a console program started
// from Explorer, where nothing else shares it. A console the user started the
// program from (Command Prompt, PowerShell) stays, and elsewhere nothing
// happens.
void HideOwnConsole();

// Shows text where the user will see it even with stderr out of sight: in a
// message box if HideOwnConsole hid the console, in the page on the web.
// Elsewhere stderr is in view and nothing more happens.
void ShowFatalMessage(const char* title, const char* text);

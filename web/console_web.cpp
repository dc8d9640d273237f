// The web page: stderr goes to the browser's console, where few look, so a
// fatal message is shown in the page itself, with what led to it.
#include "gl/console.h"

#include <emscripten.h>

// The page's script defines Module.showFatalMessage; without it (a page of
// someone else's), the console has the message all the same.
EM_JS(void, ShowInPage, (const char* title, const char* text), {
    if (Module.showFatalMessage)
        Module.showFatalMessage(UTF8ToString(title), UTF8ToString(text));
});

void HideOwnConsole()
{
}

void ShowFatalMessage(const char* title, const char* text)
{
    ShowInPage(title, text);
}

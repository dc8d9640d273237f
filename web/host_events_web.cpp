// The web page listens for what the program tells it through Module: each
// function there is optional, so the program also runs in a page of someone
// else's that defines none of them.
#include "app/host_events.h"

#include "app/reload_errors.h"

#include <emscripten.h>

EM_JS(void, CallOnBuilt, (int target, int built, const char* text, const char* file, int line), {
    if (Module.onBuilt)
        Module.onBuilt({ target: target, built: !!built, text: UTF8ToString(text), file: UTF8ToString(file), line: line });
});

void TellBuilt(int target, bool built)
{
    CallOnBuilt(target, built, ReloadErrorText(target), ReloadErrorFile(target), ReloadErrorLine(target));
}

// The web page listens for what the program tells it through Module: each
// function there is optional, so the program also runs in a page of someone
// else's that defines none of them, and one that throws cannot stop the
// program.
#include "app/host_events.h"

#include "app/knobs.h"
#include "app/reload_errors.h"

#include <emscripten.h>

EM_JS(void, CallOnBuilt, (int target, int built, const char* text, const char* file, int line), {
    try {
        if (Module.onBuilt)
            Module.onBuilt({ target: target, built: !!built, text: UTF8ToString(text), file: UTF8ToString(file), line: line });
    } catch (error) {
        console.error(error);
    }
});

// The page builds a control for each knob from the list, as JSON.
EM_JS(void, CallOnKnobs, (int mode, const char* json), {
    try {
        if (Module.onKnobs)
            Module.onKnobs(mode, UTF8ToString(json));
    } catch (error) {
        console.error(error);
    }
});

void TellBuilt(int target, bool built)
{
    CallOnBuilt(target, built, ReloadErrorText(target), ReloadErrorFile(target), ReloadErrorLine(target));
}

void TellKnobsChanged(int mode)
{
    CallOnKnobs(mode, KnobsJson(mode));
}

// The web page: its script builds a control for each knob from the list the
// program hands it, as JSON, through Module.onKnobs(mode, json). A page of
// someone else's without it hears nothing; a control of its own that throws
// cannot stop the program.
#include "app/knobs.h"
#include "app/knobs_changed.h"

#include <emscripten.h>

EM_JS(void, CallOnKnobs, (int mode, const char* json), {
    if (!Module.onKnobs)
        return;
    try {
        Module.onKnobs(mode, UTF8ToString(json));
    } catch (error) {
        console.error(error);
    }
});

void TellKnobsChanged(int mode)
{
    CallOnKnobs(mode, KnobsJson(mode));
}

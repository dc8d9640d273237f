// What the page's script may ask of the running program, and tell it: the
// failed builds on show, for its editor to mark where the overlay's quoted
// line is, which mode to show when one of its files is edited, and the
// knobs of each mode, to read and to turn.
#include "app/knob_panel.h"
#include "app/knobs.h"
#include "app/reload_errors.h"
#include "app/view.h"

#include <emscripten.h>

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* glitter_reload_error_text(int target)
{
    return ReloadErrorText(target);
}

EMSCRIPTEN_KEEPALIVE const char* glitter_reload_error_file(int target)
{
    return ReloadErrorFile(target);
}

EMSCRIPTEN_KEEPALIVE int glitter_reload_error_line(int target)
{
    return ReloadErrorLine(target);
}

EMSCRIPTEN_KEEPALIVE void glitter_show_mode(int mode)
{
    ShowMode(mode);
}

// The knobs of mode's program in use and the warnings of its last good
// build, as JSON: the text Module.onKnobs(mode, json) gets whenever they
// change. "" for a mode that does not exist.
EMSCRIPTEN_KEEPALIVE const char* glitter_knobs(int mode)
{
    return mode == 0 || mode == 1 ? KnobsJson(mode) : "";
}

// Sets one component (0 for a slider; 0, 1, 2, 3 for a colour's red, green,
// blue, alpha) of mode's knob number knob, in the order of the list, to
// value, clamped into its range: the next frame shows it. 0 if there is no
// such knob or component, or value is not a number.
EMSCRIPTEN_KEEPALIVE int glitter_set_knob(int mode, int knob, int component, float value)
{
    return (mode == 0 || mode == 1) && SetKnobValue(mode, knob, component, value);
}

// Whether Tab is the program's just now: while the knob panel is shown it
// selects the next knob; otherwise the browser moves the focus on with it.
EMSCRIPTEN_KEEPALIVE int glitter_takes_tab()
{
    return KnobPanelShown();
}
}

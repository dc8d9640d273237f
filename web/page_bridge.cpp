// What the page's script may ask of the running program: check a sprite
// before it saves it, build the files it has just saved, show a mode, and
// read and turn the knobs of each mode. What the program has to say, it says
// itself (app/host_events.h).
#include "app/assets.h"
#include "app/knob_panel.h"
#include "app/knobs.h"
#include "app/view.h"
#include "gl/bmp_image.h"

#include <emscripten.h>

extern "C" {

// Where the page puts the start of a sprite it would save, for
// glitter_check_sprite.
static unsigned char spriteStart[BmpHeaderStartBytes];

EMSCRIPTEN_KEEPALIVE unsigned char* glitter_sprite_start()
{
    return spriteStart;
}

// count bytes of spriteStart are the file's first; length is a double, as a
// file's size in JavaScript may pass 2 GiB.
EMSCRIPTEN_KEEPALIVE int glitter_check_sprite(int count, double length)
{
    size_t held = count < 0 ? 0 : static_cast<size_t>(count);
    if (held > sizeof spriteStart)
        held = sizeof spriteStart;
    return CheckSpriteStart(spriteStart, held, static_cast<long long>(length));
}

EMSCRIPTEN_KEEPALIVE void glitter_build_saved_files()
{
    BuildSavedFiles();
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

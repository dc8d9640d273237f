// What the page's script may ask of the running program: check a sprite
// before it saves it, build the files it has just saved, show a mode, read
// and turn the knobs of each mode, and, for its own controls, everything the
// keys do to the clock and the view. What the program has to say, it says
// itself (app/host_events.h): the program stays the one keeper of its state,
// and every change reaches the page whoever made it.
#include "app/assets.h"
#include "app/clock.h"
#include "app/host_events.h"
#include "app/knob_panel.h"
#include "app/knobs.h"
#include "app/view.h"
#include "app/view_state.h"
#include "gl/bmp_image.h"
#include "gl/opengl.h"

#include <emscripten.h>

static int Now()
{
    return glutGet(GLUT_ELAPSED_TIME);
}

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

// 0 Glitter, 1 Fire.
EMSCRIPTEN_KEEPALIVE void glitter_show_mode(int mode)
{
    ShowMode(mode);
    AnnounceState();
}

// Space: 1 pauses, 0 plays.
EMSCRIPTEN_KEEPALIVE void glitter_set_paused(int paused)
{
    PauseClockAt(Now(), paused != 0);
    AnnounceState();
}

// A slider's time in seconds: the clock pauses there, so the picture holds
// the moment chosen.
EMSCRIPTEN_KEEPALIVE void glitter_set_time(double seconds)
{
    const int now = Now();
    PauseClockAt(now, true);
    SetClockSecondsAt(now, seconds);
    AnnounceState();
}

// "." and ",": steps of 1/30 s, forwards (positive) or back; pauses first.
EMSCRIPTEN_KEEPALIVE void glitter_step(int steps)
{
    StepClockAt(Now(), steps);
    AnnounceState();
}

// "]" and "[": the rate, held between 1/8 and 8.
EMSCRIPTEN_KEEPALIVE void glitter_set_rate(double rate)
{
    SetClockRateAt(Now(), rate);
    AnnounceState();
}

// "a": 1 shows the axes, 0 hides them.
EMSCRIPTEN_KEEPALIVE void glitter_set_axes(int shown)
{
    view.showAxes = shown != 0;
    glutPostRedisplay();
    AnnounceState();
}

// "0": the start-up turn; the zoom stays.
EMSCRIPTEN_KEEPALIVE void glitter_reset_view()
{
    ResetViewAngles();
    AnnounceState();
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

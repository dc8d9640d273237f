// What the page's script may ask of the running program, and tell it: the
// failed builds on show, for its editor to mark where the overlay's quoted
// line is; which mode to show when one of its files is edited; and, for its
// own controls, everything the keys do to the clock and the view. The
// program stays the one keeper of that state: every change reaches the
// page through Module.onState (web/announce_web.cpp), whoever made it.
#include "app/announce.h"
#include "app/clock.h"
#include "app/reload_errors.h"
#include "app/view.h"
#include "app/view_state.h"
#include "gl/opengl.h"

#include <emscripten.h>

static int Now()
{
    return glutGet(GLUT_ELAPSED_TIME);
}

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
}

// The web page listens for what the program tells it through Module: each
// function there is optional, so the program also runs in a page of someone
// else's that defines none of them, and one that throws cannot stop the
// program.
#include "app/host_events.h"

#include "app/clock.h"
#include "app/knobs.h"
#include "app/reload_errors.h"
#include "app/view_state.h"
#include "gl/opengl.h"

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

// The page's controls show the clock, the mode, the axes and the
// view, and follow them through Module.onState, which gets one object:
//
//   time       the clock's reading in seconds at the moment `at`
//   at         that moment, on the page's performance.now() clock (ms)
//   paused     whether the clock holds still
//   rate       how fast it runs, 0.125 to 8
//   span       the reading goes round to 0 when it gets here (seconds)
//   mode       0 Glitter, 1 Fire
//   axes       whether the axes are shown
//   azimuth, elevation   the view's turn, whole degrees
//   dim        the zoom: the half-size of the visible box
//
// While it runs the page can work the reading out for itself:
// (time + (performance.now() - at) / 1000 * rate) % span.
EM_JS(void, TellPage, (double seconds, int paused, double rate, double span, int mode, int axes, int azimuth,
                       int elevation, double dim), {
    try {
        if (Module.onState)
            Module.onState({time: seconds, at: performance.now(), paused: !!paused, rate: rate, span: span,
                            mode: mode, axes: !!axes, azimuth: azimuth, elevation: elevation, dim: dim});
    } catch (error) {
        console.error(error);
    }
});

void AnnounceState()
{
    TellPage(ClockSecondsAt(glutGet(GLUT_ELAPSED_TIME)), ClockPaused(), ClockRate(), ClockSpanSeconds, view.mode,
             view.showAxes, view.azimuth, view.elevation, view.dim);
}

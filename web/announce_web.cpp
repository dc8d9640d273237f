// The web page: its controls show the clock, the mode, the axes and the
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
#include "app/announce.h"

#include "app/clock.h"
#include "app/view_state.h"
#include "gl/opengl.h"

#include <emscripten.h>

EM_JS(void, TellPage, (double seconds, int paused, double rate, double span, int mode, int axes, int azimuth,
                       int elevation, double dim), {
    if (Module.onState)
        Module.onState({time: seconds, at: performance.now(), paused: !!paused, rate: rate, span: span,
                        mode: mode, axes: !!axes, azimuth: azimuth, elevation: elevation, dim: dim});
});

void AnnounceState()
{
    TellPage(ClockSecondsAt(glutGet(GLUT_ELAPSED_TIME)), ClockPaused(), ClockRate(), ClockSpanSeconds, view.mode,
             view.showAxes, view.azimuth, view.elevation, view.dim);
}

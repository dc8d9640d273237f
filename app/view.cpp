#include "app/view.h"

#include "app/clock.h"
#include "app/host_events.h"
#include "app/knob_panel.h"
#include "app/view_state.h"
#include "gl/opengl.h"
#include "particles/particle_store.h"

#include <cstdlib>

ViewState view = {0, 0, 3.0, 1.0, 1, 0};

static const int AngleStep = 5;         // degrees per arrow press
static const double ZoomStep = 0.1;     // world units per page press
static const unsigned char EscapeKey = 27;
static const unsigned char BackspaceKey = 8;

void SetProjection()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A box centred on the origin, as deep as it is tall, so the scene can be
    // rotated freely without its far side being clipped.
    const double halfWidth = view.aspect * view.dim;
    glOrtho(-halfWidth, halfWidth, -view.dim, view.dim, -view.dim, view.dim);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void reshape(int width, int height)
{
    view.aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    glViewport(0, 0, width, height);
    SetProjection();
}

void TurnView(int azimuthDegrees, int elevationDegrees)
{
    // C++ remainder truncates towards zero: -5 stays -5, 360 becomes 0.
    view.azimuth = (view.azimuth + azimuthDegrees) % 360;
    view.elevation = (view.elevation + elevationDegrees) % 360;
    glutPostRedisplay();
}

void ZoomView(int steps)
{
    // One step at a time, so any way of zooming rounds as the keys do.
    for (; steps > 0 && view.dim > 1; steps--)
        view.dim -= ZoomStep;
    for (; steps < 0; steps++)
        view.dim += ZoomStep;
    SetProjection();
    glutPostRedisplay();
}

void ResetViewAngles()
{
    view.azimuth = view.elevation = 0;
    glutPostRedisplay();
}

void special(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_RIGHT: TurnView(AngleStep, 0); break;
    case GLUT_KEY_LEFT: TurnView(-AngleStep, 0); break;
    case GLUT_KEY_UP: TurnView(0, AngleStep); break;
    case GLUT_KEY_DOWN: TurnView(0, -AngleStep); break;
    case GLUT_KEY_PAGE_DOWN: ZoomView(-1); break;
    case GLUT_KEY_PAGE_UP: ZoomView(1); break;
    default: break;
    }
    SetProjection();
    glutPostRedisplay();
    AnnounceState();
}

// Puts mode on screen with a fresh set of its particles.
static void SwitchMode(int mode)
{
    view.mode = mode;
    SeedParticles();
    glutPostRedisplay();
}

void ShowMode(int mode)
{
    if (view.mode != mode)
        SwitchMode(mode);
}

// The keys that hold the clock: Space, ".", ",", "]", "[" and Backspace.
// Any other key does nothing.
static void ClockKey(unsigned char key)
{
    const int now = glutGet(GLUT_ELAPSED_TIME);
    switch (key) {
    case ' ': PauseClockAt(now, !ClockPaused()); break;
    case '.': StepClockAt(now, 1); break;
    case ',': StepClockAt(now, -1); break;
    case ']': SetClockRateAt(now, ClockRate() * 2); break;
    case '[': SetClockRateAt(now, ClockRate() / 2); break;
    case BackspaceKey: SetClockSecondsAt(now, 0); break;
    default: break;
    }
}

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case EscapeKey: exit(0);
    case '0': ResetViewAngles(); break;
    case 'a':
    case 'A': view.showAxes = 1 - view.showAxes; break;
    case 'm':
    case 'M': SwitchMode((view.mode + 1) % 2); break;
    default:
        if (!KnobPanelKey(key))
            ClockKey(key);
        break;
    }
    glutPostRedisplay();
    AnnounceState();
}

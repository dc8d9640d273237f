#include "app/view.h"

#include "app/knob_panel.h"
#include "app/view_state.h"
#include "gl/opengl.h"
#include "particles/particle_store.h"

#include <cstdlib>

ViewState view = {0, 0, 3.0, 1.0, 1, 0};

static const int AngleStep = 5;         // degrees per arrow press
static const double ZoomStep = 0.1;     // world units per page press
static const unsigned char EscapeKey = 27;

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

void special(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_RIGHT: view.azimuth += AngleStep; break;
    case GLUT_KEY_LEFT: view.azimuth -= AngleStep; break;
    case GLUT_KEY_UP: view.elevation += AngleStep; break;
    case GLUT_KEY_DOWN: view.elevation -= AngleStep; break;
    case GLUT_KEY_PAGE_DOWN: view.dim += ZoomStep; break;
    case GLUT_KEY_PAGE_UP:
        if (view.dim > 1)
            view.dim -= ZoomStep;
        break;
    default: break;
    }
    // C++ remainder truncates towards zero: -5 stays -5, 360 becomes 0.
    view.azimuth %= 360;
    view.elevation %= 360;
    SetProjection();
    glutPostRedisplay();
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

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case EscapeKey: exit(0);
    case '0': view.azimuth = view.elevation = 0; break;
    case 'a':
    case 'A': view.showAxes = 1 - view.showAxes; break;
    case 'm':
    case 'M': SwitchMode((view.mode + 1) % 2); break;
    default: KnobPanelKey(key); break;
    }
    glutPostRedisplay();
}

// Glitter: thousands of particles, each placed every frame by a vertex shader
// from fixed start data and the clock.

#include "app/host_events.h"
#include "app/assets.h"
#include "app/clock.h"
#include "app/frame.h"
#include "app/options.h"
#include "app/pointer.h"
#include "app/recorder.h"
#include "app/view.h"
#include "app/view_state.h"
#include "app/window.h"
#include "gl/diagnostics.h"
#include "gl/opengl.h"
#include "gl/console.h"
#include "gl/graphics_reset.h"
#include "particles/particle_store.h"

// Keeps the animation running: ask for a frame whenever the queue is empty.
static void idle()
{
    glutPostRedisplay();
}

int main(int argc, char* argv[])
{
    // Started from Explorer, only the GL window should show; start-up
    // messages still go to the hidden console's stderr.
    HideOwnConsole();
    const Options options = TakeOptions(&argc, argv);
    OpenWindow(&argc, argv);

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutSpecialFunc(special);
    glutKeyboardFunc(keyboard);
    glutIdleFunc(idle);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    glutMouseWheelFunc(mouseWheel);
    glutMultiButtonFunc(multiButton);
    glutMultiMotionFunc(multiMotion);

    const GLuint sprite = LoadAssets();
    view.mode = options.mode;
    SeedParticles();
    ReportGLError("init");
    if (options.recordPath) {
        RecordGif(options.recordPath, options.recordSeconds);
        return 0;
    }

    if (options.paused) {
        const int now = glutGet(GLUT_ELAPSED_TIME);
        PauseClockAt(now, true);
        SetClockSecondsAt(now, 0);
    }
    AnnounceState();
    // From here on, a saved change to any of the four files shows at once.
    WatchAssets(sprite);
    // Graphics lost and given back (a browser's WebGL context) are rebuilt
    // by the same loaders.
    WhenGraphicsReset(RebuildAssets);
    glutMainLoop();
    return 0;
}

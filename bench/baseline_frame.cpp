// The least a Glitter frame can cost: the same window, clear, status line and
// swap, with no particles and no axes. The benchmark measures it next to the
// real program so each mode's frame rate reads as a share of this one.
//
// Built a second time with BASELINE_ALLOCATES_PER_FRAME, it copies its status
// line to the heap every frame: the allocation check must catch that build.

#include "app/frame.h"

#include "gl/opengl.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const int WindowSize = 600;          // pixels, as Glitter's window
static const unsigned char EscapeKey = 27;
static const double StartDim = 3.0;         // Glitter's zoom at start

static void DrawBaselineFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glWindowPos2i(5, 5);
#ifdef BASELINE_ALLOCATES_PER_FRAME
    char status[64];
    snprintf(status, sizeof status, "FPS=%d Dim=%.1f Mode=%s", CountFrames(), StartDim, "Glitter");
    char* copy = strdup(status);
    if (!copy)
        exit(1);
    RasterPrint("%s", copy);
    free(copy);
#else
    RasterPrint("FPS=%d Dim=%.1f Mode=%s", CountFrames(), StartDim, "Glitter");
#endif
    glFlush();
    glutSwapBuffers();
}

static void QuitOnEscape(unsigned char key, int, int)
{
    if (key == EscapeKey)
        exit(0);
}

static void RedisplayWhenIdle()
{
    glutPostRedisplay();
}

int main(int argc, char* argv[])
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
    glutInitWindowSize(WindowSize, WindowSize);
    glutCreateWindow("Glitter baseline");
    // glWindowPos2i is a GL 1.4 entry point, reached through GLEW.
    if (glewInit() != GLEW_OK || !GLEW_VERSION_1_4) {
        fprintf(stderr, "baseline_frame: this display has no OpenGL 1.4\n");
        return 1;
    }
    glutDisplayFunc(DrawBaselineFrame);
    glutKeyboardFunc(QuitOnEscape);
    glutIdleFunc(RedisplayWhenIdle);
    glutMainLoop();
    return 0;
}

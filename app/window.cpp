#include "app/window.h"

#include "app/frame.h"
#include "gl/diagnostics.h"
#include "gl/opengl.h"

static const int WindowSize = 600;   // pixels, both ways

void OpenWindow(int* argc, char* argv[])
{
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
    glutInitWindowSize(WindowSize, WindowSize);
    glutCreateWindow(ModeNames[0]);

    // GLEW needs a current context to find the GL entry points.
    if (glewInit() != GLEW_OK)
        ExitWithError("Error initializing GLEW\n");
    if (!GLEW_VERSION_2_0)
        ExitWithError("OpenGL 2.0 not supported\n");
}

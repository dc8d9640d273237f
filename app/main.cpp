// Glitter: thousands of particles, each placed every frame by a vertex shader
// from fixed start data and the clock.

#include "app/assets.h"
#include "app/frame.h"
#include "gl/platform.h"
#include "app/view.h"
#include "gl/bmp_texture.h"
#include "gl/diagnostics.h"
#include "gl/opengl.h"
#include "gl/shader_program.h"
#include "particles/particle_store.h"

static const int WindowSize = 600;   // pixels, both ways

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

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
    glutInitWindowSize(WindowSize, WindowSize);
    glutCreateWindow(ModeNames[0]);

    // GLEW needs a current context to find the GL entry points.
    if (glewInit() != GLEW_OK)
        ExitWithError("Error initializing GLEW\n");
    if (!GLEW_VERSION_2_0)
        ExitWithError("OpenGL 2.0 not supported\n");

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutSpecialFunc(special);
    glutKeyboardFunc(keyboard);
    glutIdleFunc(idle);

    // Glitter first, so a fault in its shader is reported before the fire
    // shaders are even read.
    programs[0] = CreateShaderProg(ShaderFiles[0].vertex, ShaderFiles[0].fragment);
    programs[1] = CreateShaderProg(ShaderFiles[1].vertex, ShaderFiles[1].fragment);

    // Bound to texture unit 0, where the fire sprites sample it through the
    // "img" uniform; a reload of the image puts its successor there.
    const GLuint sprite = LoadTexBMP(SpriteFile);

    SeedParticles();
    ReportGLError("init");

    // From here on, a saved change to any of the files above shows at once.
    WatchAssets(sprite);
    glutMainLoop();
    return 0;
}

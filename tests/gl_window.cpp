#include "tests/gl_window.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <gtest/gtest.h>

#include <cstdlib>

void OpenTestWindow()
{
    static bool open = false;
    if (open)
        return;
    // Mesa skips compiling a shader it finds in its disk cache, and then has
    // no info log to give: tests that look for warnings need fresh compiles.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    int argc = 1;
    char name[] = "glitter_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
    glutInitWindowSize(600, 600);
    glutCreateWindow("glitter_tests");
    ASSERT_EQ(GLEW_OK, glewInit());
    ASSERT_TRUE(GLEW_VERSION_2_0) << "the test display has no OpenGL 2.0";
    open = true;
}

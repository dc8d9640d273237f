// A lost WebGL context given back: web/glut.js stops the frames and holds
// back the timers while it is gone, then calls here, on the new context,
// before anything else runs: the layer makes its own objects again, then
// the program its own.
#include "gl/graphics_reset.h"
#include "web/layer.h"

#include <GLES2/gl2.h>
#include <emscripten.h>

static void (*rebuildProgram)() = nullptr;

extern "C" {
// web/glut.js
void glutGraphicsResetFunc(void (*reset)());
}

static void RebuildAll()
{
    // The loss itself is an error WebGL reports once: not the program's.
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; i++) {
    }
    SetUpLayer();
    rebuildProgram();
}

void WhenGraphicsReset(void (*rebuild)())
{
    rebuildProgram = rebuild;
    glutGraphicsResetFunc(RebuildAll);
}

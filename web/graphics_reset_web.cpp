// A lost WebGL context given back: web/glut.js stops the frames and holds
// back the timers while it is gone, then calls here, on the new context,
// before anything else runs: the layer makes its own objects again, then
// the program its own.
#include "gl/graphics_reset.h"
#include "web/layer.h"

static void (*rebuildProgram)() = nullptr;

extern "C" {
// web/glut.js
void glutGraphicsResetFunc(void (*reset)());
}

static void RebuildAll()
{
    SetUpLayer();
    rebuildProgram();
}

void WhenGraphicsReset(void (*rebuild)())
{
    rebuildProgram = rebuild;
    glutGraphicsResetFunc(RebuildAll);
}

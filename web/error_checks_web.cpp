// GL errors in a browser: WebGL's getError waits for the GPU process to
// finish every draw so far, a wait that took most of a frame's time when
// each frame asked. The frame's check ("display") asks about once a second;
// the checks after a build or a texture upload, moments that wait for the
// GPU anyway, ask every time. An error stays set in WebGL until fetched, so
// it is still reported, under the label of the check that fetches it.
#include "gl/error_checks.h"
#include "web/gl_compat.h"
#include "web/layer.h"

#include <emscripten.h>

#include <cstring>

static const double FrameCheckIntervalMs = 1000;
static double nextFrameCheckMs = 0;
static GLenum layerError = GL_NO_ERROR;

bool TimeToCheckGLError(const char* label)
{
    if (strcmp(label, "display") != 0)
        return true;
    const double now = emscripten_get_now();
    if (now < nextFrameCheckMs)
        return false;
    nextFrameCheckMs = now + FrameCheckIntervalMs;
    return true;
}

void RaiseLayerError(GLenum error)
{
    // GL keeps the first error until it is fetched.
    if (layerError == GL_NO_ERROR)
        layerError = error;
}

GLenum CompatGetError()
{
    GLenum error = layerError != GL_NO_ERROR ? layerError : glGetError();
    layerError = GL_NO_ERROR;
    // WebGL's word that the context was lost, said once: glut.js handles
    // the loss, and the page says so.
    const GLenum ContextLost = 0x9242;
    if (error == ContextLost)
        error = GL_NO_ERROR;
    return error;
}

// The web build's GLEW: WebGL's calls need no loading, so glewInit makes
// what the rest of the layer draws with instead.
#include "web/gl_compat.h"
#include "web/layer.h"

#include <GL/glew.h>
#include <emscripten/html5.h>

bool HasWebGL()
{
    return emscripten_webgl_get_current_context() != 0;
}

void SetUpLayer()
{
    ForgetVertexState();
    SetUpShaderHooks();
    SetUpFixedFunction();
    SetUpRaster();
    SetUpOverlay();
}

GLenum glewInit()
{
    if (HasWebGL())
        SetUpLayer();
    return GLEW_OK;
}

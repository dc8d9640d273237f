// What the web layer's units share among themselves: the program never
// sees this. Each unit says in gl_compat.h what it stands in for.
#pragma once

#include <GLES2/gl2.h>

#include <cstddef>

// Where the layer's own programs take their vertices: locations the
// program binds no name to, apart from those of the program's own arrays,
// so that neither's settings need changing when the other draws.
inline constexpr GLuint TexCoordLocation = 2;
inline constexpr GLuint LayerVertexLocation = 6;
inline constexpr GLuint LayerColourLocation = 7;
// The texture unit of the layer's own textures (fonts, pixel rectangles):
// unit 0 holds the sprite and unit 1 is offered to shaders as "Noise3D".
inline constexpr GLenum LayerTextureUnit = GL_TEXTURE2;
// Attribute locations the layer keeps track of: as many as WebGL promises.
inline constexpr GLuint AttribLocations = 8;

// Makes every GL object of the layer's own afresh and forgets those it had:
// at start-up (glewInit), and again when the browser gives back a context
// it took away. What the program set (matrices, colour, viewport, arrays)
// is kept, and the viewport handed to the new context.
void SetUpLayer();

// matrices.cpp: projection x model-view, column-major as GL keeps them.
void ModelViewProjection(float matrix[16]);
const float* ModelViewMatrix();
const float* ProjectionMatrix();

// fixed_function.cpp
const float* CurrentColour();
const GLint* CurrentViewport();   // x, y, width, height
// Makes program current in GL unless it is already.
void UseGLProgram(GLuint program);
// Makes the program's own program current again after a draw of the
// layer's, as the program left it.
void RestoreUserProgram();
void SetUpFixedFunction();

// shader_hooks.cpp: what a draw needs to know of a program, learnt once
// when it is linked: the uniforms through which it gets what desktop GL
// hands its built-ins (-1: unused), and the attribute locations it reads.
struct LinkedProgram {
    GLint modelViewProjection, modelView, projection, pointSize;
    unsigned attribs;   // bit n for location n
};
const LinkedProgram& LinkedProgramOf(GLuint program);
// A program of the layer's own from GLSL ES sources, with gl_Vertex's and
// gl_Color's stand-ins bound to the locations given, and the texture
// coordinate to TexCoordLocation.
GLuint BuildLayerProgram(const char* vertexSource, const char* fragmentSource, GLuint vertexLocation,
                         GLuint colourLocation);
void SetUpShaderHooks();

// vertex_arrays.cpp: a buffer object of the layer's, and a copy of what it
// holds, so that data is sent to the GPU only when it differs from what was
// sent before, compared byte for byte. The copy's storage is the owner's,
// fixed in size; data larger than it is sent at every use.
struct SentBuffer {
    unsigned char* copy;
    size_t capacity;   // bytes of copy
    GLuint name;       // 0 until first used
    size_t held;       // bytes the buffer object holds
    size_t copied;     // leading bytes of copy known equal to the buffer's
};
// Sends bytes to buffer unless they are what it holds.
void SendIfChanged(SentBuffer* buffer, const void* bytes, size_t size);
// The same for the indices of the one element array buffer, left bound.
void SendIndicesIfChanged(SentBuffer* buffer, const void* bytes, size_t size);
// Points location at offset in buffer, unless it points there already.
void PointAttrib(GLuint location, const SentBuffer& buffer, GLint size, GLenum type, GLboolean normalized,
                 GLsizei stride, size_t offset);
// Enables the attribute arrays of the locations in enable (bit n for
// location n) and disables those in disable, each only if it is not so
// already. An array left enabled that a program does not read costs
// nothing, and switching costs WebGL more than it seems.
void UseAttribArrays(unsigned enable, unsigned disable);
// Sends the program's enabled client arrays, as far as a draw of vertices
// first to first + count - 1 reads them, to the layer's buffers, and points
// their locations there. Returns the mask of the enabled arrays.
unsigned SendClientArrays(GLint first, GLsizei count);
bool ClientArrayEnabled(GLuint location);
// Forgets every buffer object and attribute setting: the context is new.
void ForgetVertexState();

// raster.cpp: the raster position set by glRasterPos or glWindowPos: a
// position outside the view box is invalid, and nothing is drawn there.
struct RasterPosition {
    float x, y;        // window pixels
    float depth;       // 0 near to 1 far
    float colour[4];
    bool valid;
};
RasterPosition& Raster();
// Window pixels to clip coordinates in the viewport, x and y.
float WindowToClipX(float x);
float WindowToClipY(float y);
// A texture of the layer's on its unit, nearest-filtered, clamped, bound.
GLuint NewLayerTexture();
// Binds texture on the layer's unit, and leaves unit 0 active, where the
// program binds its own textures.
void BindLayerTexture(GLuint texture);
void SetUpRaster();

// overlay.cpp: the axes' lines and bitmap text wait in a batch until
// something would draw over them or change how they draw, then all of it is
// drawn at once.
void FlushOverlay();
// Lines from vertices in clip coordinates (x, y, z, w each), in colour.
void AddOverlayLines(const float* vertices, int count, const float colour[4]);
// A new frame begins: its batches are compared with the last frame's.
void StartOverlayFrame();
void SetUpOverlay();

// error_checks_web.cpp: an error of the layer's own (glOrtho's invalid
// box), reported before WebGL's.
void RaiseLayerError(GLenum error);

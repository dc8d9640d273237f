// Desktop GL's fixed-function state on WebGL: the current colour, point
// size and point sprites, the viewport, the program in use, and drawing
// with them: a draw hands the program the matrices and point size as
// uniforms and the current colour as gl_Color's constant, and with no
// program of the program's own draws with the layer's fixed-function
// stand-in. Immediate mode (glBegin to glEnd) draws the axes, as lines of
// the overlay (overlay.cpp).
#include "web/gl_compat.h"
#include "web/layer.h"

#include <cstring>

static float currentColour[4] = {1, 1, 1, 1};
static GLint viewport[4];
static float pointSize = 1;
static bool pointSprites = false;   // only to answer glIsEnabled: every WebGL point is a sprite
static GLuint userProgram = 0;      // the program's, made current by glUseProgram
static GLuint programInGL = 0;      // the one WebGL has current
// The value gl_Color's location gives a draw without a colour array, as
// WebGL holds it: setting it afresh for every draw would make WebGL (ANGLE)
// start its drawing anew each time.
static float colourInGL[4] = {0, 0, 0, 1};

// The fixed-function colour stage: lines, and arrays drawn with no program.
static GLuint fixedColourProgram = 0;

static const int MaxImmediateVertices = 64;   // the axes take six
static GLenum immediateMode;
static float immediateVertices[MaxImmediateVertices * 3];
static int immediateCount = 0;
static unsigned char immediateCopy[sizeof immediateVertices];
static SentBuffer immediateBuffer;

static const char* const FixedColourVertex =
    "attribute vec4 glitter_Vertex;\n"
    "attribute vec4 glitter_Color;\n"
    "uniform mat4 glitter_ModelViewProjectionMatrix;\n"
    "uniform float glitter_PointSize;\n"
    "varying vec4 glitter_FrontColor;\n"
    "void main() {\n"
    "    gl_Position = glitter_ModelViewProjectionMatrix * glitter_Vertex;\n"
    "    gl_PointSize = glitter_PointSize;\n"
    "    glitter_FrontColor = glitter_Color;\n"
    "}\n";
// Untextured, unlit: each fragment takes the colour the vertex stage passed on.
static const char* const FixedColourFragment =
    "precision mediump float;\n"
    "varying vec4 glitter_FrontColor;\n"
    "void main() { gl_FragColor = glitter_FrontColor; }\n";

void SetUpFixedFunction()
{
    programInGL = 0;
    static const float DefaultColour[4] = {0, 0, 0, 1};   // a new context's
    memcpy(colourInGL, DefaultColour, sizeof colourInGL);
    fixedColourProgram = BuildLayerProgram(FixedColourVertex, FixedColourFragment, VertexLocation, ColorLocation);
    immediateBuffer = SentBuffer{immediateCopy, sizeof immediateCopy, 0, 0, 0};
    // The first time, the canvas's size; after a lost context, the one the
    // program set.
    if (viewport[2] == 0 && viewport[3] == 0)
        glGetIntegerv(GL_VIEWPORT, viewport);
    else
        glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

const float* CurrentColour()
{
    return currentColour;
}

const GLint* CurrentViewport()
{
    return viewport;
}

void UseGLProgram(GLuint program)
{
    if (program != programInGL)
        glUseProgram(program);
    programInGL = program;
}

void RestoreUserProgram()
{
    if (userProgram)
        UseGLProgram(userProgram);
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    currentColour[0] = red;
    currentColour[1] = green;
    currentColour[2] = blue;
    currentColour[3] = 1;
}

void glColor3fv(const GLfloat* rgb)
{
    glColor3f(rgb[0], rgb[1], rgb[2]);
}

void glPointSize(GLfloat size)
{
    pointSize = size;
}

// The one use the program makes of it, texture coordinates replaced across
// point sprites, is what every WebGL point has: gl_PointCoord.
void glTexEnvi(GLenum, GLenum, GLint)
{
}

// Text waits to be drawn with the state it was printed in: whatever changes
// that state, or draws, draws the text first.
void CompatEnable(GLenum capability)
{
    FlushOverlay();
    if (capability == GL_POINT_SPRITE)
        pointSprites = true;
    else
        glEnable(capability);
}

void CompatDisable(GLenum capability)
{
    FlushOverlay();
    if (capability == GL_POINT_SPRITE)
        pointSprites = false;
    else
        glDisable(capability);
}

GLboolean CompatIsEnabled(GLenum capability)
{
    switch (capability) {
    case GL_POINT_SPRITE: return pointSprites;
    case GL_VERTEX_ARRAY: return ClientArrayEnabled(VertexLocation);
    case GL_COLOR_ARRAY: return ClientArrayEnabled(ColorLocation);
    default: return glIsEnabled(capability);
    }
}

void CompatViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    FlushOverlay();
    viewport[0] = x, viewport[1] = y, viewport[2] = width, viewport[3] = height;
    glViewport(x, y, width, height);
}

// The viewport is answered from what was set: asking WebGL would wait for
// the GPU.
void CompatGetIntegerv(GLenum name, GLint* values)
{
    if (name == GL_VIEWPORT)
        memcpy(values, viewport, sizeof viewport);
    else
        glGetIntegerv(name, values);
}

void CompatDepthMask(GLboolean write)
{
    FlushOverlay();
    glDepthMask(write);
}

void CompatBlendFunc(GLenum source, GLenum destination)
{
    FlushOverlay();
    glBlendFunc(source, destination);
}

void CompatClear(GLbitfield buffers)
{
    FlushOverlay();
    StartOverlayFrame();
    glClear(buffers);
}

void CompatFlush()
{
    FlushOverlay();
}

void CompatUseProgram(GLuint program)
{
    userProgram = program;
    // Program 0 is fixed function, which the layer makes current when it draws.
    if (program)
        UseGLProgram(program);
}

// Hands the program what desktop GL hands a shader through its built-ins:
// the matrices and the point size.
static void SetBuiltIns(GLuint program)
{
    const LinkedProgram& uniforms = LinkedProgramOf(program);
    if (uniforms.modelViewProjection >= 0) {
        float mvp[16];
        ModelViewProjection(mvp);
        glUniformMatrix4fv(uniforms.modelViewProjection, 1, GL_FALSE, mvp);
    }
    if (uniforms.modelView >= 0)
        glUniformMatrix4fv(uniforms.modelView, 1, GL_FALSE, ModelViewMatrix());
    if (uniforms.projection >= 0)
        glUniformMatrix4fv(uniforms.projection, 1, GL_FALSE, ProjectionMatrix());
    if (uniforms.pointSize >= 0)
        glUniform1f(uniforms.pointSize, pointSize);
}

// The current colour as gl_Color for a draw without a colour array.
static void UseCurrentColour()
{
    if (memcmp(colourInGL, currentColour, sizeof colourInGL) == 0)
        return;
    glVertexAttrib4fv(ColorLocation, currentColour);
    memcpy(colourInGL, currentColour, sizeof colourInGL);
}

void CompatDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    FlushOverlay();
    // With no program of the program's own, desktop GL draws with fixed function.
    const GLuint program = userProgram ? userProgram : fixedColourProgram;
    UseGLProgram(program);
    const unsigned arrays = SendClientArrays(first, count);
    // What the program reads and is not given an array for is a constant.
    UseAttribArrays(arrays, LinkedProgramOf(program).attribs & ~arrays);
    SetBuiltIns(program);
    if (!(arrays & 1u << ColorLocation))
        UseCurrentColour();
    glDrawArrays(mode, first, count);
}

void glBegin(GLenum mode)
{
    immediateMode = mode;
    immediateCount = 0;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (immediateCount == MaxImmediateVertices)
        return;
    float* vertex = &immediateVertices[immediateCount++ * 3];
    vertex[0] = x, vertex[1] = y, vertex[2] = z;
}

// Draws what glVertex gave since glBegin, in the current colour: lines
// (the axes) over the scene with the text, anything else at once.
void glEnd()
{
    if (immediateCount == 0)
        return;
    if (immediateMode == GL_LINES) {
        float mvp[16], clip[MaxImmediateVertices * 4];
        ModelViewProjection(mvp);
        for (int i = 0; i < immediateCount; i++) {
            const float* v = &immediateVertices[i * 3];
            for (int row = 0; row < 4; row++)
                clip[i * 4 + row] = mvp[row] * v[0] + mvp[4 + row] * v[1] + mvp[8 + row] * v[2] + mvp[12 + row];
        }
        AddOverlayLines(clip, immediateCount, currentColour);
        return;
    }
    FlushOverlay();
    UseGLProgram(fixedColourProgram);
    SendIfChanged(&immediateBuffer, immediateVertices, static_cast<size_t>(immediateCount) * 3 * sizeof(float));
    PointAttrib(VertexLocation, immediateBuffer, 3, GL_FLOAT, GL_FALSE, 0, 0);
    UseAttribArrays(1u << VertexLocation, 1u << ColorLocation);
    SetBuiltIns(fixedColourProgram);
    UseCurrentColour();
    glDrawArrays(immediateMode, 0, immediateCount);
    RestoreUserProgram();
}

static bool IsPowerOfTwo(GLsizei n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

void CompatTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                      GLint border, GLenum format, GLenum type, const void* pixels)
{
    // Desktop GL takes a component count for the internal format; WebGL
    // wants the format itself.
    static const GLint ByComponents[] = {0, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
    if (internalFormat >= 1 && internalFormat <= 4)
        internalFormat = ByComponents[internalFormat];
    glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
    // WebGL samples a texture whose sides are not powers of two as black
    // unless it is clamped at its edges; desktop GL draws it either way.
    if (level == 0 && !(IsPowerOfTwo(width) && IsPowerOfTwo(height))) {
        glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
}

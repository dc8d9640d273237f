#include "web/fixed_function.h"

#include "web/gl_compat.h"
#include "web/glsl_es.h"

#include <GL/glu.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

// A client array as the user's code pointed it.
struct ClientArray {
    GLint size;
    GLenum type;
    GLsizei stride;
    const void* pointer;
    bool enabled;
};

static float projection[16], modelView[16];
static float* currentMatrix = modelView;
static float currentColour[4] = {1, 1, 1, 1};
static GLint viewport[4];
static float pointSize = 1;
static bool pointSprites = false;   // only to answer glIsEnabled: every WebGL point is a sprite
static ClientArray vertexArray, colourArray;
static GLuint userProgram = 0;
// An error of the layer's own (glOrtho's invalid box), reported before WebGL's.
static GLenum pendingError = GL_NO_ERROR;

static const int MaxImmediateVertices = 64;   // the axes take six
static GLenum immediateMode;
static float immediateVertices[MaxImmediateVertices * 3];
static int immediateCount = 0;

// The layer's programs: fixed-function colour (the lines, and arrays drawn
// with no program), and the fixed-function fragment stage for a program
// built from a vertex shader alone, as the Glitter mode's is.
static GLuint fixedColourProgram = 0;
static GLuint fixedFragmentShader = 0;
// How this browser's compiler numbers the line after a #line directive.
static int lineAfterDirective = 0;

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

static void LoadIdentity(float* m)
{
    for (int i = 0; i < 16; i++)
        m[i] = i % 5 == 0 ? 1.0f : 0.0f;
}

// a = a x b, column-major.
static void MultiplyInto(float* a, const float* b)
{
    float product[16];
    for (int column = 0; column < 4; column++)
        for (int row = 0; row < 4; row++) {
            float sum = 0;
            for (int k = 0; k < 4; k++)
                sum += a[k * 4 + row] * b[column * 4 + k];
            product[column * 4 + row] = sum;
        }
    memcpy(a, product, sizeof product);
}

bool HasWebGL()
{
    return emscripten_webgl_get_current_context() != 0;
}

static GLuint CompileLayerShader(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint BuildLayerProgram(const char* vertexSource, const char* fragmentSource)
{
    const GLuint program = glCreateProgram();
    const GLuint vertex = CompileLayerShader(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = CompileLayerShader(GL_FRAGMENT_SHADER, fragmentSource);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, VertexLocation, "glitter_Vertex");
    glBindAttribLocation(program, ColorLocation, "glitter_Color");
    glBindAttribLocation(program, TexCoordLocation, "glitter_TexCoord");
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return program;
}

// Compiles the line-numbering probe and reads its log.
static int ProbeLineNumbering()
{
    const GLuint probe = CompileLayerShader(GL_VERTEX_SHADER, LineProbe);
    char log[1024] = "";
    glGetShaderInfoLog(probe, sizeof log, nullptr, log);
    glDeleteShader(probe);
    return LineAfterDirective(log);
}

GLenum glewInit()
{
    LoadIdentity(projection);
    LoadIdentity(modelView);
    if (HasWebGL()) {
        glGetIntegerv(GL_VIEWPORT, viewport);
        fixedColourProgram = BuildLayerProgram(FixedColourVertex, FixedColourFragment);
        fixedFragmentShader = CompileLayerShader(GL_FRAGMENT_SHADER, FixedColourFragment);
        lineAfterDirective = ProbeLineNumbering();
    }
    return 0;
}

GLenum CompatGetError()
{
    const GLenum error = pendingError != GL_NO_ERROR ? pendingError : glGetError();
    pendingError = GL_NO_ERROR;
    return error;
}

void ModelViewProjection(float matrix[16])
{
    memcpy(matrix, projection, sizeof projection);
    MultiplyInto(matrix, modelView);
}

const float* CurrentColour()
{
    return currentColour;
}

const GLint* CurrentViewport()
{
    return viewport;
}

void RestoreUserProgram()
{
    glUseProgram(userProgram);
}

static void PointArray(GLuint location, const ClientArray& array)
{
    if (array.pointer)
        glVertexAttribPointer(location, array.size, array.type, GL_FALSE, array.stride, array.pointer);
    if (array.enabled)
        glEnableVertexAttribArray(location);
    else
        glDisableVertexAttribArray(location);
}

void RestoreClientArrays()
{
    PointArray(VertexLocation, vertexArray);
    PointArray(ColorLocation, colourArray);
}

void glMatrixMode(GLenum mode)
{
    currentMatrix = mode == GL_PROJECTION ? projection : modelView;
}

void glLoadIdentity()
{
    LoadIdentity(currentMatrix);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearPlane, GLdouble farPlane)
{
    // As desktop GL: a box with no width, height or depth is refused.
    if (left == right || bottom == top || nearPlane == farPlane) {
        if (pendingError == GL_NO_ERROR)
            pendingError = GL_INVALID_VALUE;
        return;
    }
    float ortho[16];
    LoadIdentity(ortho);
    ortho[0] = static_cast<float>(2 / (right - left));
    ortho[5] = static_cast<float>(2 / (top - bottom));
    ortho[10] = static_cast<float>(-2 / (farPlane - nearPlane));
    ortho[12] = static_cast<float>(-(right + left) / (right - left));
    ortho[13] = static_cast<float>(-(top + bottom) / (top - bottom));
    ortho[14] = static_cast<float>(-(farPlane + nearPlane) / (farPlane - nearPlane));
    MultiplyInto(currentMatrix, ortho);
}

void glRotated(GLdouble degrees, GLdouble x, GLdouble y, GLdouble z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0)
        return;
    x /= length, y /= length, z /= length;
    const double radians = degrees * std::acos(-1.0) / 180;
    const double c = std::cos(radians), s = std::sin(radians), t = 1 - c;
    const double rotation[16] = {
        t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0,
        t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0,
        t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0,
        0, 0, 0, 1};
    float single[16];
    for (int i = 0; i < 16; i++)
        single[i] = static_cast<float>(rotation[i]);
    MultiplyInto(currentMatrix, single);
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

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    vertexArray = ClientArray{size, type, stride, pointer, vertexArray.enabled};
    glVertexAttribPointer(VertexLocation, size, type, GL_FALSE, stride, pointer);
}

void glColorPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    colourArray = ClientArray{size, type, stride, pointer, colourArray.enabled};
    glVertexAttribPointer(ColorLocation, size, type, GL_FALSE, stride, pointer);
}

static ClientArray* ArrayOf(GLenum array)
{
    return array == GL_VERTEX_ARRAY ? &vertexArray : array == GL_COLOR_ARRAY ? &colourArray : nullptr;
}

void glEnableClientState(GLenum array)
{
    if (ClientArray* client = ArrayOf(array)) {
        client->enabled = true;
        glEnableVertexAttribArray(array == GL_VERTEX_ARRAY ? VertexLocation : ColorLocation);
    }
}

void glDisableClientState(GLenum array)
{
    if (ClientArray* client = ArrayOf(array)) {
        client->enabled = false;
        glDisableVertexAttribArray(array == GL_VERTEX_ARRAY ? VertexLocation : ColorLocation);
    }
}

void CompatEnable(GLenum capability)
{
    if (capability == GL_POINT_SPRITE)
        pointSprites = true;
    else
        glEnable(capability);
}

void CompatDisable(GLenum capability)
{
    if (capability == GL_POINT_SPRITE)
        pointSprites = false;
    else
        glDisable(capability);
}

GLboolean CompatIsEnabled(GLenum capability)
{
    switch (capability) {
    case GL_POINT_SPRITE: return pointSprites;
    case GL_VERTEX_ARRAY: return vertexArray.enabled;
    case GL_COLOR_ARRAY: return colourArray.enabled;
    default: return glIsEnabled(capability);
    }
}

void CompatViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    viewport[0] = x, viewport[1] = y, viewport[2] = width, viewport[3] = height;
    glViewport(x, y, width, height);
}

void CompatUseProgram(GLuint program)
{
    userProgram = program;
    glUseProgram(program);
}

// Hands program what desktop GL hands a shader through its built-ins: the
// matrices, the point size and, with no colour array, the current colour.
// Names the program does not use have no location and are skipped.
static void SetBuiltIns(GLuint program)
{
    float mvp[16];
    ModelViewProjection(mvp);
    const GLint mvpAt = glGetUniformLocation(program, "glitter_ModelViewProjectionMatrix");
    if (mvpAt >= 0)
        glUniformMatrix4fv(mvpAt, 1, GL_FALSE, mvp);
    const GLint modelViewAt = glGetUniformLocation(program, "glitter_ModelViewMatrix");
    if (modelViewAt >= 0)
        glUniformMatrix4fv(modelViewAt, 1, GL_FALSE, modelView);
    const GLint projectionAt = glGetUniformLocation(program, "glitter_ProjectionMatrix");
    if (projectionAt >= 0)
        glUniformMatrix4fv(projectionAt, 1, GL_FALSE, projection);
    const GLint pointSizeAt = glGetUniformLocation(program, "glitter_PointSize");
    if (pointSizeAt >= 0)
        glUniform1f(pointSizeAt, pointSize);
    if (!colourArray.enabled)
        glVertexAttrib4fv(ColorLocation, currentColour);
}

void CompatDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    // With no program of the user's, desktop GL draws with fixed function.
    const GLuint program = userProgram ? userProgram : fixedColourProgram;
    if (!userProgram)
        glUseProgram(program);
    SetBuiltIns(program);
    glDrawArrays(mode, first, count);
    if (!userProgram)
        RestoreUserProgram();
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

// Draws what glVertex gave since glBegin, in the current colour, leaving the
// client arrays as the user's code set them.
void glEnd()
{
    glUseProgram(fixedColourProgram);
    glVertexAttribPointer(VertexLocation, 3, GL_FLOAT, GL_FALSE, 0, immediateVertices);
    glEnableVertexAttribArray(VertexLocation);
    glDisableVertexAttribArray(ColorLocation);
    SetBuiltIns(fixedColourProgram);
    glVertexAttrib4fv(ColorLocation, currentColour);
    glDrawArrays(immediateMode, 0, immediateCount);
    RestoreClientArrays();
    RestoreUserProgram();
}

static ShaderStage StageOf(GLuint shader)
{
    GLint type = 0;
    glGetShaderiv(shader, GL_SHADER_TYPE, &type);
    return type == GL_FRAGMENT_SHADER ? FragmentStage : VertexStage;
}

void CompatShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths)
{
    // One text of all the strings, each of its given length or up to its NUL.
    size_t total = 0;
    for (GLsizei i = 0; i < count; i++)
        total += lengths && lengths[i] >= 0 ? static_cast<size_t>(lengths[i]) : strlen(strings[i]);
    char* source = static_cast<char*>(malloc(total + 1));
    if (!source)
        return;
    char* end = source;
    for (GLsizei i = 0; i < count; i++) {
        const size_t length = lengths && lengths[i] >= 0 ? static_cast<size_t>(lengths[i]) : strlen(strings[i]);
        memcpy(end, strings[i], length);
        end += length;
    }
    *end = '\0';
    char* translated = TranslateToGlslEs(source, StageOf(shader), lineAfterDirective);
    const char* given = translated ? translated : source;
    glShaderSource(shader, 1, &given, nullptr);
    free(translated);
    free(source);
}

void CompatGetShaderInfoLog(GLuint shader, GLsizei size, GLsizei* length, GLchar* log)
{
    glGetShaderInfoLog(shader, size, length, log);
    if (size <= 0)
        return;
    RestoreDesktopNames(log, StageOf(shader));
    if (length)
        *length = static_cast<GLsizei>(strlen(log));
}

// Asked of WebGL itself: the program's shaders are flagged for deletion once
// attached, and Emscripten then no longer knows them by name.
EM_JS(int, HasFragmentShader, (GLuint program), {
    return GLctx.getAttachedShaders(GL.programs[program]).some(function(shader) {
        return GLctx.getShaderParameter(shader, GLctx.SHADER_TYPE) == GLctx.FRAGMENT_SHADER;
    });
});

void CompatLinkProgram(GLuint program)
{
    glBindAttribLocation(program, VertexLocation, "glitter_Vertex");
    glBindAttribLocation(program, ColorLocation, "glitter_Color");
    // WebGL has no fixed-function fragment stage to fall back on.
    if (!HasFragmentShader(program))
        glAttachShader(program, fixedFragmentShader);
    glLinkProgram(program);
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

const GLubyte* gluErrorString(GLenum error)
{
    switch (error) {
    case GL_NO_ERROR: return reinterpret_cast<const GLubyte*>("no error");
    case GL_INVALID_ENUM: return reinterpret_cast<const GLubyte*>("invalid enumerant");
    case GL_INVALID_VALUE: return reinterpret_cast<const GLubyte*>("invalid value");
    case GL_INVALID_OPERATION: return reinterpret_cast<const GLubyte*>("invalid operation");
    case GL_OUT_OF_MEMORY: return reinterpret_cast<const GLubyte*>("out of memory");
    case GL_INVALID_FRAMEBUFFER_OPERATION: return reinterpret_cast<const GLubyte*>("invalid framebuffer operation");
    default: return reinterpret_cast<const GLubyte*>("unknown error");
    }
}

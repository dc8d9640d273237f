// The web layer keeps the program's client arrays in buffers of its own and
// sends them again only when they change: a draw must still show an array
// as it is at that moment, however little of it changed.
#include "gl/opengl.h"
#include "tests/support.h"

#include <cstring>

static const int Points = 10000;
static float positions[Points * 3];

// Whether the pixel at the middle of the drawing buffer is lit, after the
// points are drawn alone.
static bool MiddleLit(GLuint program)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(program);
    glPointSize(5);   // wide enough to cover the middle pixel wherever it falls
    glVertexPointer(3, GL_FLOAT, 0, positions);
    glEnableClientState(GL_VERTEX_ARRAY);
    glDrawArrays(GL_POINTS, 0, Points);
    glDisableClientState(GL_VERTEX_ARRAY);
    glUseProgram(0);
    glPointSize(1);
    unsigned char pixel[4] = {};
    glReadPixels(viewport[2] / 2, viewport[3] / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] > 128;
}

// Every point lies beyond the view but the last, in the middle at depth 0.
// Its depth's last byte, the array's, made 0x40 is depth 2.0: beyond the
// far plane, and gone from the picture.
TEST(ClientArrays, ADrawShowsTheArrayAsItIsEvenWhenOnlyItsLastByteChanged)
{
    OpenTestWindow();
    const char* source = "#version 110\nvoid main() { gl_Position = gl_Vertex; gl_FrontColor = vec4(1.0); }\n";
    const GLuint shader = glCreateShader(GL_VERTEX_SHADER);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader);
    glLinkProgram(program);
    glDeleteShader(shader);
    for (int i = 0; i < Points - 1; i++)
        positions[i * 3] = 2;
    unsigned char* lastByte = reinterpret_cast<unsigned char*>(positions) + sizeof positions - 1;
    EXPECT_TRUE(MiddleLit(program));
    *lastByte = 0x40;
    EXPECT_FALSE(MiddleLit(program));
    *lastByte = 0;
    EXPECT_TRUE(MiddleLit(program));
    EXPECT_EQ(GL_NO_ERROR, glGetError());
    glDeleteProgram(program);
}

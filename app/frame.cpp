#include "app/frame.h"

#include "app/clock.h"
#include "app/knob_panel.h"
#include "app/knobs.h"
#include "app/reload_errors.h"
#include "app/view_state.h"
#include "gl/diagnostics.h"
#include "gl/opengl.h"
#include "particles/particle_draw.h"

#include <cstdarg>
#include <cstdio>

const char* const ModeNames[2] = {"Glitter", "Fire"};
GLuint programs[2];

static const float AxisLength = 2;     // world units
static const int StatusX = 5;          // status line, pixels from the lower left
static const int StatusY = 5;
static const int TextureUnitImg = 0;   // sprite texture, bound at start-up
static const int TextureUnitNoise = 1; // offered to shaders; nothing bound

int CountFramesAt(int elapsedMs)
{
    static int countedSecond = 0;
    static int framesThisSecond = 0;
    static int publishedRate = 0;
    const int second = elapsedMs / 1000;
    if (second != countedSecond) {
        publishedRate = framesThisSecond;
        countedSecond = second;
        framesThisSecond = 0;
    }
    framesThisSecond++;
    return publishedRate;
}

int CountFrames()
{
    return CountFramesAt(glutGet(GLUT_ELAPSED_TIME));
}

void RasterPrint(const char* format, ...)
{
    // vsnprintf truncates anything longer and always terminates the text.
    char text[8192];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    for (const char* c = text; *c; c++)
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, *c);
}

// Hands the clock and the texture units to the current program. Locations
// are looked up every frame; a program that does not use a name gets -1,
// and that uniform is skipped.
static void SetUniforms(GLuint program, double seconds)
{
    const GLint time = glGetUniformLocation(program, "time");
    if (time >= 0)
        glUniform1f(time, static_cast<float>(seconds));
    const GLint noise = glGetUniformLocation(program, "Noise3D");
    if (noise >= 0)
        glUniform1i(noise, TextureUnitNoise);
    const GLint img = glGetUniformLocation(program, "img");
    if (img >= 0)
        glUniform1i(img, TextureUnitImg);
}

static void DrawAxes()
{
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(AxisLength, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, AxisLength, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, AxisLength);
    glEnd();
    // A label whose point falls outside the view box gets an invalid raster
    // position, and GL then silently skips its bitmap.
    glRasterPos3f(AxisLength, 0, 0);
    RasterPrint("X");
    glRasterPos3f(0, AxisLength, 0);
    RasterPrint("Y");
    glRasterPos3f(0, 0, AxisLength);
    RasterPrint("Z");
}

void DrawFrame(double seconds, int framesPerSecond)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);

    // SetProjection left the model-view matrix current.
    glLoadIdentity();
    glRotated(view.elevation, 1, 0, 0);
    glRotated(view.azimuth, 0, 1, 0);

    const GLuint program = programs[view.mode];
    glUseProgram(program);
    SetUniforms(program, seconds);
    SetKnobUniforms(view.mode, program);
    DrawParticles();

    // Back to fixed function for the axes and text.
    glUseProgram(0);
    glColor3f(1, 1, 1);
    if (view.showAxes)
        DrawAxes();
    DrawReloadErrors();
    DrawKnobPanel();

    // Window coordinates: the status line stays put whatever the view.
    char clock[64];
    DescribeClock(seconds, clock, sizeof clock);
    glWindowPos2i(StatusX, StatusY);
    RasterPrint("FPS=%d Dim=%.1f Mode=%s%s", framesPerSecond, view.dim, ModeNames[view.mode], clock);

    ReportGLError("display");
}

void display()
{
    DrawFrame(ClockSecondsAt(glutGet(GLUT_ELAPSED_TIME)), CountFrames());
    glFlush();
    glutSwapBuffers();
}

#include "app/frame.h"
#include "app/view.h"
#include "app/view_state.h"
#include "gl/bmp_texture.h"
#include "gl/shader_program.h"
#include "particles/particle_draw.h"
#include "particles/particle_store.h"
#include "tests/gl_window.h"

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

TEST(CountFrames, ReadsZeroInTheFirstSecondThenThePreviousSecondsCount)
{
    for (int ms = 0; ms < 1000; ms += 100)
        EXPECT_EQ(0, CountFramesAt(ms)) << ms;   // ten frames in second 0
    EXPECT_EQ(10, CountFramesAt(1000));
    EXPECT_EQ(10, CountFramesAt(1500));
    EXPECT_EQ(10, CountFramesAt(1999));          // three frames in second 1
    // No frame at all during second 2: the last second with frames counts.
    EXPECT_EQ(3, CountFramesAt(3000));
    EXPECT_EQ(1, CountFramesAt(4000));
}

// Where the next bitmap character would go, in window pixels.
static float RasterX()
{
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
}

TEST(RasterPrint, FormatsTheTextAndTruncatesLongTextSafely)
{
    OpenTestWindow();
    void* const font = GLUT_BITMAP_HELVETICA_18;
    glWindowPos2i(0, 0);
    RasterPrint("FPS=%d Dim=%.1f Mode=%s", 42, 3.0, "Fire");
    const auto expected = "FPS=42 Dim=3.0 Mode=Fire";
    EXPECT_EQ(glutBitmapLength(font, reinterpret_cast<const unsigned char*>(expected)), RasterX());

    const std::string tooLong(20000, 'W');
    glWindowPos2i(0, 0);
    RasterPrint("%s", tooLong.c_str());
    // The 8192-byte buffer holds 8191 characters and the terminating NUL.
    EXPECT_EQ(8191.0f * static_cast<float>(glutBitmapWidth(font, 'W')), RasterX());
}

// The program's start-up, minus the window and event loop, from the shipped
// asset folder.
class Frame : public testing::Test {
protected:
    void SetUp() override
    {
        OpenTestWindow();
        ASSERT_EQ(0, chdir(GLITTER_ASSET_DIR));
        view = ViewState{0, 0, 3.0, 1.0, 1, 0};
        programs[0] = CreateShaderProg("confetti.vert", nullptr);
        programs[1] = CreateShaderProg("fire.vert", "fire.frag");
        LoadTexBMP("particle.bmp");
        SeedParticles();
        reshape(600, 600);
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    static void SwitchMode()
    {
        view.mode = 1 - view.mode;
        SeedParticles();
    }
};

TEST_F(Frame, BothModesDrawWithoutGLErrorsAndLeaveFixedFunctionState)
{
    for (int mode = 0; mode < 2; mode++) {
        testing::internal::CaptureStderr();
        display();
        EXPECT_EQ("", testing::internal::GetCapturedStderr()) << "mode " << mode;
        GLint program = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        EXPECT_EQ(0, program);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        SwitchMode();
    }
}

TEST_F(Frame, FireDrawTurnsSpritesAndBlendingOffAndDepthWritesBackOn)
{
    SwitchMode();
    glUseProgram(programs[1]);
    DrawParticles();
    glUseProgram(0);
    EXPECT_FALSE(glIsEnabled(GL_POINT_SPRITE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    GLint attribEnabled = 1;
    glGetVertexAttribiv(VelocityAttrib, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &attribEnabled);
    EXPECT_EQ(0, attribEnabled);
    GLfloat pointSize = 0;
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    EXPECT_EQ(50.0f, pointSize);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

// Brightest red value in a square of the back buffer.
static int MaxRedAround(int x, int y)
{
    unsigned char pixels[9 * 9 * 4];
    glReadPixels(x - 4, y - 4, 9, 9, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    int brightest = 0;
    for (int i = 0; i < 9 * 9; i++)
        brightest = pixels[4 * i] > brightest ? pixels[4 * i] : brightest;
    return brightest;
}

TEST_F(Frame, FireDrawCoversOnlyTheLiveEntries)
{
    // Live entries in the lower left corner, stale ones in the upper right,
    // all white, drawn by fixed function with identity matrices.
    SwitchMode();
    for (int k = 0; k < MaxParticles; k++) {
        const float corner = k < FireGrid * FireGrid ? -0.5f : 0.5f;
        particles.positions[3 * k] = particles.positions[3 * k + 1] = corner;
        particles.positions[3 * k + 2] = 0;
        particles.colors[3 * k] = particles.colors[3 * k + 1] = particles.colors[3 * k + 2] = 1;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawParticles();
    glReadBuffer(GL_BACK);
    EXPECT_GT(MaxRedAround(150, 150), 200);
    EXPECT_EQ(0, MaxRedAround(450, 450));
}

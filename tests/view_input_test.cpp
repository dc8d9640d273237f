#include "app/view.h"
#include "app/view_state.h"
#include "particles/particle_store.h"
#include "tests/gl_window.h"

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>

// Drives the real callbacks against a live window, from the start-up view.
class ViewInput : public testing::Test {
protected:
    void SetUp() override
    {
        OpenTestWindow();
        view = ViewState{0, 0, 3.0, 1.0, 1, 0};
        reshape(600, 600);
    }

    static void Press(int specialKey, int times = 1)
    {
        for (int i = 0; i < times; i++)
            special(specialKey, 0, 0);
    }

    static void Type(unsigned char key) { keyboard(key, 0, 0); }
};

using ViewInputDeathTest = ViewInput;

TEST_F(ViewInput, PageUpZoomsInTwentyTimesThenStopsJustUnderOne)
{
    Press(GLUT_KEY_PAGE_UP, 20);
    EXPECT_LT(view.dim, 1.0);
    EXPECT_GT(view.dim, 0.99);
    const double floor = view.dim;
    Press(GLUT_KEY_PAGE_UP, 5);
    EXPECT_EQ(floor, view.dim);
}

TEST_F(ViewInput, PageDownZoomsOutWithoutLimit)
{
    Press(GLUT_KEY_PAGE_UP, 25);
    Press(GLUT_KEY_PAGE_DOWN, 100);
    EXPECT_NEAR(10.9999, view.dim, 1e-3);
    Press(GLUT_KEY_PAGE_DOWN, 1000);
    EXPECT_NEAR(110.9999, view.dim, 1e-2);
}

TEST_F(ViewInput, ZoomAndWindowShapeSetTheOrthographicBox)
{
    reshape(800, 400);
    Press(GLUT_KEY_PAGE_DOWN);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // glOrtho scales x by 1 / (aspect * dim), y by 1 / dim, z by -1 / dim.
    EXPECT_NEAR(1 / (2.0 * 3.1), projection[0], 1e-6);
    EXPECT_NEAR(1 / 3.1, projection[5], 1e-6);
    EXPECT_NEAR(-1 / 3.1, projection[10], 1e-6);
    GLint matrixMode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    EXPECT_EQ(GL_MODELVIEW, matrixMode);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(800, viewport[2]);
    EXPECT_EQ(400, viewport[3]);
}

TEST_F(ViewInput, ArrowsTurnInFiveDegreeStepsAndWrapAtAFullTurn)
{
    Press(GLUT_KEY_RIGHT, 72);
    EXPECT_EQ(0, view.azimuth);
    Press(GLUT_KEY_LEFT);
    EXPECT_EQ(-5, view.azimuth);
    Press(GLUT_KEY_LEFT, 70);
    EXPECT_EQ(-355, view.azimuth);
    Press(GLUT_KEY_LEFT);
    EXPECT_EQ(0, view.azimuth);
    Press(GLUT_KEY_UP, 3);
    Press(GLUT_KEY_DOWN);
    EXPECT_EQ(10, view.elevation);
    Press(GLUT_KEY_DOWN, 73);   // past zero to the last step before a full turn
    EXPECT_EQ(-355, view.elevation);
    Press(GLUT_KEY_DOWN);
    EXPECT_EQ(0, view.elevation);
}

TEST_F(ViewInput, OtherSpecialKeysChangeNothing)
{
    Press(GLUT_KEY_F1);
    Press(GLUT_KEY_HOME);
    EXPECT_EQ(0, view.azimuth);
    EXPECT_EQ(0, view.elevation);
    EXPECT_EQ(3.0, view.dim);
}

TEST_F(ViewInput, ZeroResetsTheAnglesButKeepsTheZoom)
{
    Press(GLUT_KEY_RIGHT, 3);
    Press(GLUT_KEY_DOWN, 2);
    Press(GLUT_KEY_PAGE_DOWN, 4);
    const double zoomed = view.dim;
    Type('0');
    EXPECT_EQ(0, view.azimuth);
    EXPECT_EQ(0, view.elevation);
    EXPECT_EQ(zoomed, view.dim);
}

TEST_F(ViewInput, AToggleTheAxesInEitherCase)
{
    Type('a');
    EXPECT_EQ(0, view.showAxes);
    Type('A');
    EXPECT_EQ(1, view.showAxes);
    Type('x');
    EXPECT_EQ(1, view.showAxes);
}

TEST_F(ViewInput, MSwitchesModesAndReseedsTheParticles)
{
    SeedParticles();
    const float firstStart = particles.startTimes[0];
    Type('m');
    EXPECT_EQ(1, view.mode);
    EXPECT_EQ(15, particles.gridSize);
    Type('M');
    EXPECT_EQ(0, view.mode);
    EXPECT_EQ(100, particles.gridSize);
    // A fresh draw from the continuing sequence, not the start-up set.
    EXPECT_NE(firstStart, particles.startTimes[0]);
}

TEST_F(ViewInput, ZeroHeightWindowGivesAspectOneWithoutDividing)
{
    reshape(300, 0);
    EXPECT_EQ(1.0, view.aspect);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(0, viewport[3]);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    reshape(300, 150);
    EXPECT_EQ(2.0, view.aspect);
}

TEST_F(ViewInputDeathTest, EscapeExitsAtOnceWithStatusZero)
{
    EXPECT_EXIT(Type(27), testing::ExitedWithCode(0), "^$");
}

#include "app/view.h"
#include "app/view_state.h"
#include "gl/opengl.h"
#include "particles/particle_store.h"
#include "tests/support.h"

#include <map>
#include <sstream>

// Presses the keys of a list like "Right*72 Left a": special keys by name,
// any other word as the character typed, "*N" repeating a key N times.
static void Press(const std::string& keys)
{
    static const std::map<std::string, int> specialKeys = {
        {"Right", GLUT_KEY_RIGHT}, {"Left", GLUT_KEY_LEFT}, {"Up", GLUT_KEY_UP}, {"Down", GLUT_KEY_DOWN},
        {"PageUp", GLUT_KEY_PAGE_UP}, {"PageDown", GLUT_KEY_PAGE_DOWN}, {"F1", GLUT_KEY_F1}, {"Home", GLUT_KEY_HOME}};
    std::istringstream words(keys);
    std::string word;
    while (words >> word) {
        const size_t star = word.find('*');
        const int times = star == std::string::npos ? 1 : std::stoi(word.substr(star + 1));
        const std::string key = word.substr(0, star);
        for (int i = 0; i < times; i++) {
            if (specialKeys.count(key))
                special(specialKeys.at(key), 0, 0);
            else
                keyboard(static_cast<unsigned char>(key[0]), 0, 0);
        }
    }
}

// Starts every case from the start-up view in a live 600 x 600 window.
static void StartView()
{
    OpenTestWindow();
    view = ViewState{0, 0, 3.0, 1.0, 1, 0};
    SeedParticles();
    reshape(600, 600);
}

TEST(Keys, ChangeTheViewAsAUserExpects)
{
    struct Case {
        const char* keys;
        int azimuth, elevation;
        double dim;
        int showAxes, mode, gridSize;
    } cases[] = {
        {"Right*73", 5, 0, 3.0, 1, 0, 100},      // a full turn wraps to 0
        {"Left*73", -5, 0, 3.0, 1, 0, 100},      // the remainder keeps the sign
        {"Up*3 Down*76", 0, -5, 3.0, 1, 0, 100},
        {"PageDown", 0, 0, 3.1, 1, 0, 100},
        {"PageUp*25", 0, 0, 1.0, 1, 0, 100},     // stops just under 1.0, after 20
        {"PageUp*25 PageDown*100", 0, 0, 11.0, 1, 0, 100},
        // Rounding of the 0.1 steps, after zooming far out and back, can
        // leave the zoom a hair above 1.0: one more step takes it to 0.9.
        {"PageDown*1251 PageUp*1300", 0, 0, 0.9, 1, 0, 100},
        {"F1 Home x", 0, 0, 3.0, 1, 0, 100},
        {"Right*3 Down*2 PageDown*4 0", 0, 0, 3.4, 1, 0, 100},   // "0" keeps the zoom
        {"a A a", 0, 0, 3.0, 0, 0, 100},
        {"m M m", 0, 0, 3.0, 1, 1, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        StartView();
        Press(c.keys);
        EXPECT_EQ(c.azimuth, view.azimuth);
        EXPECT_EQ(c.elevation, view.elevation);
        EXPECT_NEAR(c.dim, view.dim, 1e-9);
        EXPECT_EQ(c.showAxes, view.showAxes);
        EXPECT_EQ(c.mode, view.mode);
        EXPECT_EQ(c.gridSize, particles.gridSize);
    }
    // An edit in a mode's file brings that mode on screen, and only once.
    StartView();
    ShowMode(1);
    ShowMode(1);
    EXPECT_EQ(1, view.mode);
    EXPECT_EQ(15, particles.gridSize);
}

TEST(Projection, FollowsTheWindowShapeAndTheZoom)
{
    StartView();
    reshape(800, 400);
    Press("PageDown");
    // glOrtho scales x by 1 / (aspect * dim), y by 1 / dim, z by -1 / dim.
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(1 / (2.0 * 3.1), projection[0], 1e-6);
    EXPECT_NEAR(1 / 3.1, projection[5], 1e-6);
    EXPECT_NEAR(-1 / 3.1, projection[10], 1e-6);
    // No height: aspect 1 rather than a division by zero, and a viewport
    // as flat as the window.
    reshape(300, 0);
    EXPECT_EQ(1.0, view.aspect);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(300, viewport[2]);
    EXPECT_EQ(0, viewport[3]);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

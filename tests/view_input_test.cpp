#include "app/clock.h"
#include "app/pointer.h"
#include "app/view.h"
#include "app/view_state.h"
#include "gl/opengl.h"
#include "particles/particle_store.h"
#include "tests/support.h"

#include <map>
#include <sstream>

// Presses the keys of a list like "Right*72 Left a": special keys by name,
// Space and Backspace by name, any other word as the character typed, "*N"
// repeating a key N times.
static void Press(const std::string& keys)
{
    static const std::map<std::string, int> specialKeys = {
        {"Right", GLUT_KEY_RIGHT}, {"Left", GLUT_KEY_LEFT}, {"Up", GLUT_KEY_UP}, {"Down", GLUT_KEY_DOWN},
        {"PageUp", GLUT_KEY_PAGE_UP}, {"PageDown", GLUT_KEY_PAGE_DOWN}, {"F1", GLUT_KEY_F1}, {"Home", GLUT_KEY_HOME}};
    static const std::map<std::string, char> namedCharacters = {{"Space", ' '}, {"Backspace", 8}};
    std::istringstream words(keys);
    std::string word;
    while (words >> word) {
        const size_t star = word.find('*');
        const int times = star == std::string::npos ? 1 : std::stoi(word.substr(star + 1));
        const std::string key = word.substr(0, star);
        for (int i = 0; i < times; i++) {
            if (specialKeys.count(key))
                special(specialKeys.at(key), 0, 0);
            else if (namedCharacters.count(key))
                keyboard(static_cast<unsigned char>(namedCharacters.at(key)), 0, 0);
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

// From the clock paused at 0, at 1x.
TEST(Keys, HoldTheClock)
{
    struct Case {
        const char* keys;
        bool paused;
        double rate, seconds;   // seconds: read while paused
    } cases[] = {
        {"Space", false, 1, 0},
        {"Space Space", true, 1, -1},
        {". . .", true, 1, 3.0 / 30},
        {". . ,", true, 1, 1.0 / 30},
        {"Space .", true, 1, -1},   // a step pauses a running clock
        {", ,", true, 1, 0},
        {"]*4", true, 8, 0},
        {"[*4", true, 0.125, 0},
        {"] [ [", true, 0.5, 0},
        {". . Backspace", true, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        StartView();
        const int now = glutGet(GLUT_ELAPSED_TIME);
        SetClockRateAt(now, 1);
        PauseClockAt(now, true);
        SetClockSecondsAt(now, 0);
        Press(c.keys);
        EXPECT_EQ(c.paused, ClockPaused());
        EXPECT_EQ(c.rate, ClockRate());
        if (c.paused && c.seconds >= 0) {
            EXPECT_NEAR(c.seconds, ClockSecondsAt(glutGet(GLUT_ELAPSED_TIME)), 1e-9);
        }
    }
    Press("Space Backspace");
    EXPECT_LT(ClockSecondsAt(glutGet(GLUT_ELAPSED_TIME)), 1) << "Backspace keeps a running clock running, from 0";
    EXPECT_FALSE(ClockPaused());
}

// Plays a gesture on the pointer callbacks, from a list of events: "P x y"
// presses the left button at (x, y), "Q x y" the right one, "M x y" moves
// with a button held, "R" releases; "W d" turns the wheel by d; "D id x y"
// and "U id" put a finger down and lift it, "V id x y" moves it; "T ms"
// lets time pass. Each gesture ends with everything released and a while.
static void Gesture(const std::string& events)
{
    static int nowMs = 0;
    std::istringstream words(events + " R U 1 U 2 T 10000");
    std::string event;
    int x, y, id;
    while (words >> event) {
        if (event == "P" && words >> x >> y)
            MouseAt(nowMs, GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        else if (event == "Q" && words >> x >> y)
            MouseAt(nowMs, GLUT_RIGHT_BUTTON, GLUT_DOWN, x, y);
        else if (event == "M" && words >> x >> y)
            motion(x, y);
        else if (event == "R")
            MouseAt(nowMs, GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
        else if (event == "W" && words >> x)
            mouseWheel(0, x, 0, 0);
        else if (event == "D" && words >> id >> x >> y)
            multiButton(id, x, y, GLUT_LEFT_BUTTON, GLUT_DOWN);
        else if (event == "U" && words >> id)
            multiButton(id, 0, 0, GLUT_LEFT_BUTTON, GLUT_UP);
        else if (event == "V" && words >> id >> x >> y)
            multiMotion(id, x, y);
        else if (event == "T" && words >> x)
            nowMs += x;
        else
            FAIL() << "no such event: " << event;
    }
}

// From a view turned to 30 and 20 degrees, the zoom at 3.0.
TEST(Pointer, TurnsZoomsAndResetsTheViewAsTheKeysDo)
{
    struct Case {
        const char* gesture;
        int azimuth, elevation;
        double dim;
    } cases[] = {
        {"P 300 300 M 310 300", 35, 20, 3.0},     // right as Right presses: half a degree a pixel
        {"P 300 300 M 300 280", 30, 30, 3.0},     // up as Up presses
        {"P 300 300 M 301 300 M 302 300 M 303 300 M 304 300", 32, 20, 3.0},   // half degrees carried over
        {"P 300 300 M 299 300 M 298 300 M 297 300", 29, 20, 3.0},
        {"P 0 300 M 700 300", 20, 20, 3.0},       // 380 degrees: once round and on
        {"P 300 300 R M 400 300", 30, 20, 3.0},   // released: no drag
        {"Q 300 300 M 400 300", 30, 20, 3.0},     // the right button does not turn
        {"W 1", 30, 20, 2.9},                     // away from the user as Page Up
        {"W -1 W -1", 30, 20, 3.2},
        {"W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1 W 1", 30, 20, 1.0},
        {"P 300 300 R T 300 P 308 292 R", 0, 0, 3.0},      // a double click
        {"P 300 300 R T 500 P 300 300 R", 30, 20, 3.0},    // too slow
        {"P 300 300 R T 100 P 320 300 R", 30, 20, 3.0},    // too far apart
        {"P 300 300 M 330 300 M 300 300 R T 100 P 300 300 R", 30, 20, 3.0},   // the first was a drag
        {"D 1 200 300 D 2 400 300 V 2 421 300", 30, 20, 2.9},   // fingers 10% further apart: a step in
        {"D 1 200 300 D 2 400 300 V 2 443 300", 30, 20, 2.8},
        {"D 1 200 300 D 2 400 300 V 1 220 300", 30, 20, 3.1},   // 10% closer: a step out
        // The first finger is also the mouse: it does not turn while two
        // pinch, and turns from where it is once the other is lifted.
        {"D 1 200 300 P 200 300 D 2 400 300 V 2 410 300 V 1 210 300 M 210 300 U 2 M 230 300", 40, 20, 3.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gesture);
        StartView();
        view.azimuth = 30;
        view.elevation = 20;
        Gesture(c.gesture);
        EXPECT_EQ(c.azimuth, view.azimuth);
        EXPECT_EQ(c.elevation, view.elevation);
        EXPECT_NEAR(c.dim, view.dim, 1e-9);
    }
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

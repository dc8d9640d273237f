#include "app/clock.h"
#include "app/frame.h"
#include "app/knobs.h"
#include "app/reload_errors.h"
#include "app/view.h"
#include "app/view_state.h"
#include "gl/shader_program.h"
#include "particles/particle_draw.h"
#include "particles/particle_store.h"
#include "tests/support.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <numeric>
#include <thread>
#include <utility>

TEST(CountFrames, ReadsZeroInTheFirstSecondThenThePreviousSecondsCount)
{
    for (int ms = 0; ms < 1000; ms += 100)
        EXPECT_EQ(0, CountFramesAt(ms)) << ms;   // ten frames in second 0
    EXPECT_EQ(10, CountFramesAt(1000));
    EXPECT_EQ(10, CountFramesAt(1999));          // two frames in second 1
    // No frame at all during second 2: the last second with frames counts.
    EXPECT_EQ(2, CountFramesAt(3000));
    EXPECT_EQ(1, CountFramesAt(4000));
}

// The program's start-up, minus the window and event loop, with one test
// program for both modes that uses every uniform the frame hands over.
class Frame : public testing::Test {
protected:
    GLuint program = 0;

    void SetUp() override
    {
        OpenTestWindow();
        view = ViewState{0, 0, 3.0, 1.0, 1, 0};
        const std::string vertex = WriteScratchFile("test.vert", "#version 110\nuniform float time;\n"
            "void main() { gl_Position = vec4(time); }\n");   // on the clip box's far corner, out of the way
        const std::string fragment = WriteScratchFile("test.frag", "#version 110\nuniform sampler3D Noise3D;\n"
            "uniform sampler2D img;\nvoid main() { gl_FragColor = texture2D(img, vec2(0.0)) + texture3D(Noise3D, vec3(0.0)); }\n");
        program = programs[0] = programs[1] = CreateShaderProg(vertex.c_str(), fragment.c_str());
        SeedParticles();
        reshape(600, 600);
        // The clock as at start-up: running at 1x, reading the toolkit's seconds.
        const int now = glutGet(GLUT_ELAPSED_TIME);
        PauseClockAt(now, false);
        SetClockRateAt(now, 1);
        SetClockSecondsAt(now, now * 0.001);
    }
};

static GLint Integer(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

// The bottom rows of the window, where the status line goes.
static std::vector<unsigned char> StatusRows()
{
    std::vector<unsigned char> pixels(600 * 30 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 600, 30, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// A frame in each mode: what it hands the program, the state it draws with
// and leaves behind, the view's turn and the status line.
TEST_F(Frame, HandsTheClockToTheProgramDrawsWithEachModesStateAndShowsTheStatusLine)
{
    const GLint time = glGetUniformLocation(program, "time");
    const GLint noise = glGetUniformLocation(program, "Noise3D"), img = glGetUniformLocation(program, "img");
    view = ViewState{30, 20, 3.0, 1.0, 0, 0};   // turned, no axes
    struct Case {
        int mode;
        double dim;
        bool paused;        // at 12.34 s
        const char* rest;   // what follows the rate in the status line
    } cases[] = {{0, 3.0, false, " Dim=3.0 Mode=Glitter"}, {1, 3.15, false, " Dim=3.1 Mode=Fire"},
                 {0, 3.0, true, " Dim=3.0 Mode=Glitter t=12.3 Paused"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rest);
        if (c.paused) {
            PauseClockAt(0, true);
            SetClockSecondsAt(0, 12.34);
        }
        view.mode = c.mode;
        SeedParticles();
        view.dim = c.dim;
        glUseProgram(program);   // values the frame must overwrite
        glUniform1f(time, -1);
        glUniform1i(noise, 5);
        glUniform1i(img, 6);
        // The rate shown changes only with the clock's second: draw the frame
        // within the second in which the rate is read.
        int second, rate;
        float before;
        do {
            second = glutGet(GLUT_ELAPSED_TIME) / 1000;
            before = static_cast<float>(glutGet(GLUT_ELAPSED_TIME) * 0.001);
            rate = CountFrames();
            EXPECT_EQ("", StderrOf(display));
        } while (glutGet(GLUT_ELAPSED_TIME) / 1000 != second);
        const float after = static_cast<float>(glutGet(GLUT_ELAPSED_TIME) * 0.001);
        // The swap copies the back buffer out and leaves it as it was.
        const std::vector<unsigned char> shown = StatusRows();

        GLfloat seconds = 0;
        GLint units[2] = {-1, -1};
        glGetUniformfv(program, time, &seconds);
        glGetUniformiv(program, noise, &units[0]);
        glGetUniformiv(program, img, &units[1]);
        if (c.paused)
            EXPECT_EQ(12.34f, seconds);
        else   // a millisecond's leeway for the rounding of the clock's own sum
            EXPECT_TRUE(seconds >= before - 1e-3f && seconds <= after + 1e-3f) << before << " <= " << seconds << " <= " << after;
        EXPECT_EQ(1, units[0]);
        EXPECT_EQ(0, units[1]);
        GLfloat pointSize = 0;
        glGetFloatv(GL_POINT_SIZE, &pointSize);
        EXPECT_EQ(c.mode ? 50.0f : 2.0f, pointSize);
        EXPECT_EQ(0, Integer(GL_CURRENT_PROGRAM));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(glIsEnabled(GL_POINT_SPRITE) || glIsEnabled(GL_BLEND));
        EXPECT_EQ(GL_TRUE, Integer(GL_DEPTH_WRITEMASK));
        EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_COLOR_ARRAY));
        for (GLuint attrib : {VelocityAttrib, StartAttrib}) {
            GLint enabled = -1;
            glGetVertexAttribiv(attrib, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
            EXPECT_EQ(0, enabled) << attrib;
        }

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glWindowPos2i(5, 5);
        for (char letter : "FPS=" + std::to_string(rate) + c.rest)
            glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, letter);
        EXPECT_EQ(StatusRows(), shown) << "the status line differs from FPS=" << rate << c.rest;
    }
    // Set for the sprites and left as they are: they act only while
    // blending and point sprites are on.
    EXPECT_EQ(GL_SRC_ALPHA, Integer(GL_BLEND_SRC));
    EXPECT_EQ(GL_ONE, Integer(GL_BLEND_DST));
    GLint coordReplace = 0;
    glGetTexEnviv(GL_POINT_SPRITE, GL_COORD_REPLACE, &coordReplace);
    EXPECT_EQ(GL_TRUE, coordReplace);
    // Where the x axis points: turned by azimuth a about y, then by
    // elevation e about x.
    GLdouble modelView[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    const double degree = std::acos(-1.0) / 180, a = 30 * degree, e = 20 * degree;
    EXPECT_NEAR(cos(a), modelView[0], 1e-6);
    EXPECT_NEAR(sin(a) * sin(e), modelView[1], 1e-6);
    EXPECT_NEAR(-sin(a) * cos(e), modelView[2], 1e-6);
}

// The whole window, as the frame just drawn left it.
static std::vector<unsigned char> WindowPixels()
{
    std::vector<unsigned char> pixels(600 * 600 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 600, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// With the clock paused, the shipped fountain holds still: two frames drawn
// a moment apart are the same pixels, status line and all (drawn within one
// second, so that the rate it shows is the same). Running, it moves.
TEST_F(Frame, APausedClockDrawsTheSameFrameTwice)
{
    programs[0] = CreateShaderProg(GLITTER_ASSET_DIR "/confetti.vert", nullptr);
    std::vector<unsigned char> first, second;
    int startSecond;
    do {
        startSecond = glutGet(GLUT_ELAPSED_TIME) / 1000;
        PauseClockAt(glutGet(GLUT_ELAPSED_TIME), true);
        display();
        first = WindowPixels();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        display();
        second = WindowPixels();
    } while (glutGet(GLUT_ELAPSED_TIME) / 1000 != startSecond);
    EXPECT_TRUE(first == second) << "a paused frame changed";
    PauseClockAt(glutGet(GLUT_ELAPSED_TIME), false);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    display();
    const std::vector<unsigned char> running = WindowPixels();
    const size_t statusLine = 600 * 30 * 3;   // the bottom rows come first
    EXPECT_GT(std::inner_product(running.begin() + statusLine, running.end(), second.begin() + statusLine, 0,
                                 std::plus<>(), std::not_equal_to<>()), 1000) << "the running fountain did not move";
}

// The view box then has no width: GL refuses it, the projection stays the
// identity, and the next frame's check reports it once.
TEST_F(Frame, AZeroWidthWindowReportsOneInvalidValueOnTheNextFrame)
{
    reshape(0, 600);
    EXPECT_EQ(0.0, view.aspect);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_EQ(1.0, projection[0]);
    EXPECT_EQ("ERROR: invalid value [display]\n", StderrOf(display));
    EXPECT_EQ("", StderrOf(display));
}

// The axes run 200 pixels from the centre of the start-up view, right and
// up (the Z axis points at the viewer), each labelled at its tip. Hidden,
// not one pixel of them is drawn; shown again, all are back.
TEST_F(Frame, DrawsTheAxesAndTheirLabelsOnlyWhileShown)
{
    // Lit pixels of the frame in a box (x, y, width, height), window pixels.
    const auto litIn = [](int x, int y, int width, int height) {
        std::vector<unsigned char> red(static_cast<size_t>(width * height));
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, width, height, GL_RED, GL_UNSIGNED_BYTE, red.data());
        return std::count_if(red.begin(), red.end(), [](unsigned char r) { return r > 0; });
    };
    for (int showAxes : {1, 0, 1}) {
        SCOPED_TRACE(showAxes ? "shown" : "hidden");
        view.showAxes = showAxes;
        display();
        // All but the status line and the far corner, where the test's
        // particles sit.
        const auto anywhere = litIn(0, 30, 580, 550);
        const auto xLine = litIn(310, 298, 180, 5), yLine = litIn(298, 310, 5, 180);
        const auto xLabel = litIn(500, 295, 20, 25), yLabel = litIn(295, 500, 20, 25);
        if (showAxes) {
            EXPECT_GE(xLine, 180);
            EXPECT_GE(yLine, 180);
            EXPECT_GE(xLabel, 10);
            EXPECT_GE(yLabel, 10);
        } else {
            EXPECT_EQ(0, anywhere);
        }
    }
}

TEST_F(Frame, FireDrawsOnlyTheLiveEntries)
{
    // Live entries white in the lower left, stale ones white in the upper
    // right, drawn by fixed function in the start-up view.
    view.mode = 1;
    SeedParticles();
    for (int k = 0; k < MaxParticles; k++) {
        const float corner = k < FireGrid * FireGrid ? -1.5f : 1.5f;
        const float at[3] = {corner, corner, 0}, white[3] = {1, 1, 1};
        std::copy(at, at + 3, &particles.positions[3 * k]);
        std::copy(white, white + 3, &particles.colors[3 * k]);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawParticles();
    unsigned char live[3], stale[3];
    glReadBuffer(GL_BACK);
    glReadPixels(150, 150, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, live);
    glReadPixels(450, 450, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, stale);
    EXPECT_GT(live[0], 200);
    EXPECT_EQ(0, stale[0]);
}

// A failed reload shows on a dark box over the scene (here a grey clear):
// inside the window at any size, wrapped short of its right edge, never
// over the status line, and gone once cleared.
TEST_F(Frame, ShowsAFailedReloadInsideTheWindowAndAboveTheStatusLine)
{
    Failure failure = {"Error compiling fire.frag\n", false, "0:4(31): error: syntax error, unexpected ';' "
                        "and a long explanation that runs on and on past the right edge of any window\n", "", 4, "fire.frag"};
    view.showAxes = 0;
    glClearColor(0.5f, 0.5f, 0.5f, 1);
    const int sizes[][2] = {{600, 600}, {200, 120}};
    for (const auto& size : sizes) {
        const int width = size[0], height = size[1];
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        reshape(width, height);
        ShowReloadError(FireShaders, "fire.vert, fire.frag", failure, "Reload failed: the previous Fire shaders stay in use");
        display();
        std::vector<unsigned char> green(static_cast<size_t>(width * height));
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_GREEN, GL_UNSIGNED_BYTE, green.data());
        // Green is about 128 on the grey, below 100 on the box, over 150 in the text.
        const auto at = [&](int x, int y) { return green[static_cast<size_t>(y * width + x)]; };
        int text = 0, textInMargin = 0, boxOverStatusLine = 0;
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                text += at(x, y) > 150 && y >= 30;
                textInMargin += at(x, y) > 150 && y >= 30 && x >= width - 8;
                boxOverStatusLine += at(x, y) < 100 && y < 30;
            }
        }
        EXPECT_LT(at(width - 1, height - 1), 100) << "no dark box";
        EXPECT_GT(text, 100);
        EXPECT_EQ(0, textInMargin);
        EXPECT_EQ(0, boxOverStatusLine);
        EXPECT_EQ(GL_TRUE, Integer(GL_DEPTH_WRITEMASK));   // as the next frame's particles need
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        ClearReloadError(FireShaders);
        display();
        glReadPixels(0, 0, width, height, GL_GREEN, GL_UNSIGNED_BYTE, green.data());
        EXPECT_GT(at(width - 1, height - 1), 100) << "still shown once cleared";
    }
    glClearColor(0, 0, 0, 0);
}

// A shader with knobs of each kind in both stages, and one the compiler
// drops, built and taken as the program of both modes, every knob at the
// file's value (none kept from another test).
static GLuint BuildKnobShader()
{
    const std::string vertex = WriteScratchFile("knobs.vert", "#version 110\n"
        "uniform float Wind;   // @slider 0.0 2.0 = 0.5\n"
        "uniform vec3 Ember;   // @color = 1.0 0.45 0.1\n"
        "uniform float Unused; // @slider 0 1\n"
        "void main() { gl_Position = vec4(Wind, 2.0, 2.0, 1.0); gl_FrontColor = vec4(Ember, 1.0); }\n");
    const std::string fragment = WriteScratchFile("knobs.frag", "#version 110\n"
        "uniform vec4 Tint;    // @color = 0.5 0.25 0 0.75\nvoid main() { gl_FragColor = gl_Color * Tint; }\n");
    static KnobList knobs;
    const GLuint program = programs[0] = programs[1] = CreateShaderProg(vertex.c_str(), fragment.c_str(), &knobs);
    static const KnobList none{};
    for (int mode = 0; mode < 2; mode++) {
        AdoptKnobs(mode, 0, none);
        AdoptKnobs(mode, program, knobs);
    }
    return program;
}

// The values program's uniform name holds, as text.
static std::string UniformOf(GLuint program, const char* name)
{
    GLfloat values[4] = {-9, -9, -9, -9};
    glGetUniformfv(program, glGetUniformLocation(program, name), values);
    return testing::PrintToString(std::vector<float>(values, values + 4));
}

// Every knob's value reaches its program before each draw, from locations
// found when it was built; a value changed shows in the next frame, with
// no rebuild.
TEST_F(Frame, HandsEveryKnobsValueToItsProgramBeforeEachDraw)
{
    program = BuildKnobShader();
    glUseProgram(program);   // values the frame must overwrite
    glUniform1f(glGetUniformLocation(program, "Wind"), -1);
    glUniform3f(glGetUniformLocation(program, "Ember"), -1, -1, -1);
    glUniform4f(glGetUniformLocation(program, "Tint"), -1, -1, -1, -1);
    glUseProgram(0);
    const KnobList& knobs = KnobsOf(0);
    ASSERT_EQ(4, knobs.count);
    EXPECT_STREQ("Unused", knobs.knobs[2].name);
    EXPECT_EQ(-1, knobs.knobs[2].location) << "the compiler dropped it";
    EXPECT_EQ("", StderrOf(display));
    EXPECT_EQ(testing::PrintToString(std::vector<float>{0.5f, -9, -9, -9}), UniformOf(program, "Wind"));
    EXPECT_EQ(testing::PrintToString(std::vector<float>{1, 0.45f, 0.1f, -9}), UniformOf(program, "Ember"));
    EXPECT_EQ(testing::PrintToString(std::vector<float>{0.5f, 0.25f, 0, 0.75f}), UniformOf(program, "Tint"));

    // Each value kept inside its range; there is nothing to set beyond the knobs.
    EXPECT_TRUE(SetKnobValue(0, 0, 0, 1.25f));
    EXPECT_TRUE(SetKnobValue(0, 1, 2, 7));
    EXPECT_TRUE(SetKnobValue(0, 3, 3, -1));
    EXPECT_FALSE(SetKnobValue(0, 0, 1, 1));
    EXPECT_FALSE(SetKnobValue(0, 4, 0, 1));
    EXPECT_FALSE(SetKnobValue(0, 0, 0, std::nanf("")));
    EXPECT_EQ("", StderrOf(display));
    EXPECT_EQ(program, programs[0]);
    EXPECT_EQ(testing::PrintToString(std::vector<float>{1.25f, -9, -9, -9}), UniformOf(program, "Wind"));
    EXPECT_EQ(testing::PrintToString(std::vector<float>{1, 0.45f, 1, -9}), UniformOf(program, "Ember"));
    EXPECT_EQ(testing::PrintToString(std::vector<float>{0.5f, 0.25f, 0, 0}), UniformOf(program, "Tint"));
}

// The window's pixels as grey levels of the green channel, and a look-up.
struct Screen {
    int width, height;
    std::vector<unsigned char> pixels;   // RGB
    const unsigned char* at(int x, int y) const { return &pixels[static_cast<size_t>((y * width + x) * 3)]; }
    bool dark(int x, int y) const { return at(x, y)[1] < 100; }
};

static Screen Shot(int width, int height)
{
    Screen screen{width, height, std::vector<unsigned char>(static_cast<size_t>(width * height * 3))};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, screen.pixels.data());
    return screen;
}

// The rows (window y) of the selected line's text: drawn in light blue.
static std::pair<int, int> SelectedRows(const Screen& screen)
{
    int lowest = screen.height, highest = -1;
    for (int y = 0; y < screen.height; y++)
        for (int x = 0; x < screen.width; x++)
            if (screen.at(x, y)[0] < 160 && screen.at(x, y)[2] > 200 && screen.at(x, y)[1] > 200) {
                lowest = std::min(lowest, y);
                highest = std::max(highest, y);
            }
    return {lowest, highest};
}

// "k" shows the panel of the mode's knobs in the lower right, above the
// status line, the first knob selected; Tab selects the next line (a colour
// is three), "+" or "=" and "-" turn it a fiftieth of its range, up to its
// ends. Hidden, the panel takes none of these keys.
TEST_F(Frame, TheKnobPanelShowsTheKnobsAndItsKeysTurnThem)
{
    BuildKnobShader();
    view.showAxes = 0;
    glClearColor(0.5f, 0.5f, 0.5f, 1);
    const auto value = [](int knob, int component) { return KnobsOf(0).knobs[knob].value[component]; };
    keyboard('+', 0, 0);
    keyboard(9, 0, 0);
    keyboard('-', 0, 0);
    EXPECT_FLOAT_EQ(0.5f, value(0, 0)) << "turned while hidden";
    display();
    EXPECT_FALSE(Shot(600, 600).dark(595, 40)) << "drawn while hidden";

    keyboard('k', 0, 0);
    display();
    const Screen shown = Shot(600, 600);
    EXPECT_TRUE(shown.dark(595, 31) && shown.dark(420, 35)) << "no panel in the lower right";
    EXPECT_FALSE(shown.dark(595, 29) || shown.dark(300, 35)) << "the panel reaches the status line or the middle";
    const std::pair<int, int> wind = SelectedRows(shown);
    EXPECT_GT(wind.first, 30);

    for (unsigned char key : {'+', '=', '-', '+'})
        keyboard(key, 0, 0);
    EXPECT_FLOAT_EQ(0.58f, value(0, 0));
    keyboard(9, 0, 0);   // Ember's red, at its top already
    keyboard('+', 0, 0);
    EXPECT_EQ(1.0f, value(1, 0));
    display();
    const std::pair<int, int> red = SelectedRows(Shot(600, 600));
    EXPECT_EQ(wind.first - 16, red.first) << "the selection is not one line down";
    for (unsigned char key : {'\t', '\t', '-'})   // Ember's blue, a step down
        keyboard(key, 0, 0);
    EXPECT_FLOAT_EQ(0.08f, value(1, 2));
    for (int tab = 0; tab < 6; tab++)   // the unused knob, Tint's four, back to the first
        keyboard(9, 0, 0);
    keyboard('+', 0, 0);
    EXPECT_FLOAT_EQ(0.62f, value(0, 0));

    keyboard('k', 0, 0);
    keyboard('+', 0, 0);
    EXPECT_FLOAT_EQ(0.62f, value(0, 0)) << "turned while hidden";
    keyboard('K', 0, 0);   // opened again: the first knob selected again
    keyboard(9, 0, 0);
    keyboard('k', 0, 0);
    keyboard('k', 0, 0);
    keyboard('-', 0, 0);
    EXPECT_FLOAT_EQ(0.58f, value(0, 0));
    // A rebuild leaves fewer lines than the one selected: the last is.
    for (int tab = 0; tab < 7; tab++)
        keyboard(9, 0, 0);
    static KnobList shorter;
    ReadKnobAnnotations("uniform float Wind; // @slider 0 2 = 0.5\n", "knobs.vert", &shorter);
    AdoptKnobs(0, programs[0], shorter);
    keyboard('-', 0, 0);
    EXPECT_FLOAT_EQ(0.54f, value(0, 0));
    display();
    keyboard('k', 0, 0);
    glClearColor(0, 0, 0, 0);
}

// In a small window with a build's warning on show (drawn as failures are),
// the panel and the warning each keep to their half of the room above the
// status line.
TEST_F(Frame, TheKnobPanelAndAWarningShareASmallWindow)
{
    BuildKnobShader();
    view.showAxes = 0;
    glClearColor(0.5f, 0.5f, 0.5f, 1);
    ShowBuildWarnings(1, "fire.vert:12: knob ignored: @slider's MIN 2 is not below its MAX 1\n"
                         "  12 | uniform float Rise; // @slider 2 1\n");
    keyboard('k', 0, 0);
    reshape(200, 120);
    display();
    const Screen screen = Shot(200, 120);
    // Down the right edge: grey under the status line, then the panel, a
    // grey gap, then the warning up to the top.
    std::string column;
    for (int y = 0; y < 120; y++) {
        const char shade = screen.dark(199, y) ? 'd' : 'g';
        if (column.empty() || column.back() != shade)
            column += shade;
    }
    EXPECT_EQ("gdgd", column);
    EXPECT_FALSE(screen.dark(199, 29));
    EXPECT_TRUE(screen.dark(199, 119));
    keyboard('k', 0, 0);
    ShowBuildWarnings(1, "");
    glClearColor(0, 0, 0, 0);
}

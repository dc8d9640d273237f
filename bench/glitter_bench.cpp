// Glitter's benchmark: the program's own start-up, event loop and display(),
// timed in-process with Google Benchmark.
//
// - BaselineFrame, GlitterFrame, FireFrame: one frame per repetition (a pass
//   of freeglut's event loop that draws and swaps), so the aggregates over
//   the repetitions are statistics of single frames. The baseline frame is
//   the least any frame draws: clear, status line, swap. Before each frame
//   of a mode its first knob is turned a step, as the knob panel or the page
//   would turn it, and that frame draws it.
// - SaveToPicture: one save of fire.frag per repetition, timed from the end
//   of the save to the end of the first frame that shows it. The program's
//   own file watcher (WatchAssets) has to notice the save and rebuild.
//
// Run it from a scratch folder holding copies of the four assets: the save
// benchmark rewrites fire.frag there. If GLITTER_BENCH_LAUNCH holds the time
// the process was launched (seconds since the epoch), the time from then to
// the end of the first frame goes into the context as launch_to_first_frame_ms.

#include "app/assets.h"
#include "app/frame.h"
#include "app/knobs.h"
#include "app/view.h"
#include "app/view_state.h"
#include "app/window.h"
#include "gl/diagnostics.h"
#include "gl/opengl.h"
#include "particles/particle_store.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>

using Clock = std::chrono::steady_clock;

static const int WindowSize = 600;        // pixels, as the program's window
static const int BaselineMode = -1;       // not a particle mode: the bare frame
static const int FireMode = 1;
static const int WarmupFrames = 200;      // drawn untimed after every change of mode
static const int FramesPerMode = 2000;    // timed frames, one per repetition
static const int Saves = 50;
static const int PhaseSpanMs = 1000;      // the wait before each save is random in [0, this)
static const double ShowDeadlineS = 10;   // a save not shown by then ends the benchmark
static const int NoColour = -1;

// Saturated colours only: under Fire's additive blend, overlapping sprites of
// one of them add up to the same colour, and no other can produce it.
static const unsigned char SolidColours[6][3] = {
    {0, 0, 255}, {255, 0, 0}, {0, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};

static void (*drawFrame)() = display;    // what the display callback draws
static int enteredMode = -2;             // none yet: every benchmark settles first
static Clock::time_point lastFrameEnd;   // none before the first frame
static int awaitedColour = NoColour;     // the colour each frame is searched for
static bool awaitedColourSeen;
static int shownColour = NoColour;       // the colour fire.frag paints now
static std::mt19937 randomness(15);      // save phases and colours, the same every run

static double SecondsBetween(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double>(end - start).count();
}

// The least a frame draws: the clear, the status line and the swap.
static void DrawBaselineFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glWindowPos2i(5, 5);
    RasterPrint("FPS=%d Dim=%.1f Mode=%s", CountFrames(), view.dim, ModeNames[0]);
    glFlush();
    glutSwapBuffers();
}

// Whether the middle column of the frame just swapped holds the colour
// anywhere: the flames rise through it all the time. It is read from the back
// buffer (the read buffer of a double-buffered window), which GL leaves
// undefined after a swap, but which Mesa's software driver, swapping by
// copying, keeps; its front buffer of an X window reads back black.
static bool FrameShows(int colour)
{
    static unsigned char column[WindowSize][4];
    glReadPixels(WindowSize / 2, 0, 1, WindowSize, GL_RGBA, GL_UNSIGNED_BYTE, column);
    return std::any_of(column, column + WindowSize,
        [colour](const unsigned char* pixel) { return std::equal(pixel, pixel + 3, SolidColours[colour]); });
}

// The display callback: the frame, then a look at it while a save is awaited.
static void DrawAndInspect()
{
    drawFrame();
    lastFrameEnd = Clock::now();
    awaitedColourSeen = awaitedColour != NoColour && FrameShows(awaitedColour);
}

// One pass of the event loop as glutMainLoop makes it with the program's idle
// callback: X events, due timers (the file watcher's among them), the frame.
static void DrawOneFrame()
{
    glutPostRedisplay();
    glutMainLoopEvent();
}

// Switches mode as the "m" key does, and lets it settle. The heap report
// leaves out the frames drawn under this function.
static void EnterMode(int mode)
{
    if (mode == enteredMode)
        return;
    enteredMode = mode;
    drawFrame = mode == BaselineMode ? DrawBaselineFrame : display;
    if (mode != BaselineMode && mode != view.mode) {
        view.mode = mode;
        SeedParticles();
    }
    for (int i = 0; i < WarmupFrames; i++)
        DrawOneFrame();
}

// Turns mode's first knob a step up, then down at the next call, and so on:
// the picture stays near the shipped one.
static void TurnFirstKnob(int mode)
{
    static bool up = true;
    if (mode == BaselineMode || KnobsOf(mode).count == 0)
        return;
    const Knob& knob = KnobsOf(mode).knobs[0];
    const float step = (knob.max - knob.min) / 50;
    SetKnobValue(mode, 0, 0, knob.value[0] + (up ? step : -step));
    up = !up;
}

// One frame of the mode per repetition, after a turn of a knob; the
// process's peak memory goes in a counter.
template <int Mode>
static void FrameOf(benchmark::State& state)
{
    EnterMode(Mode);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        TurnFirstKnob(Mode);
        DrawOneFrame();
        state.SetIterationTime(SecondsBetween(start, Clock::now()));
    }
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mib"] = static_cast<double>(usage.ru_maxrss) / 1024;   // kB on Linux
}

// Saves fire.frag in place, as an editor does, as a shader that paints every
// fragment the colour; then draws frames until one shows it. Returns the
// seconds from the end of the save to the end of that frame.
static double SaveAndTimeUntilShown(int colour)
{
    FILE* file = fopen("fire.frag", "w");
    const unsigned char* rgb = SolidColours[colour];
    if (!file || fprintf(file, "#version 110\nvoid main()\n{\n    gl_FragColor = vec4(%d.0, %d.0, %d.0, 1.0);\n}\n",
                     rgb[0] / 255, rgb[1] / 255, rgb[2] / 255) < 0 || fclose(file) != 0)
        ExitWithError("glitter_bench: cannot write fire.frag in the working folder\n");
    const Clock::time_point saved = Clock::now();
    awaitedColour = colour;
    awaitedColourSeen = false;
    while (!awaitedColourSeen && SecondsBetween(saved, Clock::now()) < ShowDeadlineS)
        DrawOneFrame();
    awaitedColour = NoColour;
    if (!awaitedColourSeen)
        ExitWithError("glitter_bench: fire.frag was saved, but no frame showed it within %g s\n", ShowDeadlineS);
    shownColour = colour;
    return SecondsBetween(saved, lastFrameEnd);
}

static void SaveToPicture(benchmark::State& state)
{
    EnterMode(FireMode);
    // Untimed: blue cannot come from the shipped flames, whose red always
    // leads, so its first sight proves the watcher has taken the save.
    if (shownColour == NoColour)
        SaveAndTimeUntilShown(0);
    for (auto _ : state) {
        const auto phaseEnd = Clock::now() + std::chrono::milliseconds(randomness() % PhaseSpanMs);
        while (Clock::now() < phaseEnd)
            DrawOneFrame();
        state.SetIterationTime(SaveAndTimeUntilShown((shownColour + 1 + static_cast<int>(randomness() % 5)) % 6));
    }
}

// Nearest rank: the smallest value that percent of the values do not exceed.
template <size_t Percent>
static double Percentile(const std::vector<double>& values)
{
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return sorted[(sorted.size() * Percent + 99) / 100 - 1];
}

static void Register(const char* name, void (*function)(benchmark::State&), int repetitions)
{
    benchmark::RegisterBenchmark(name, function)->Iterations(1)->Repetitions(repetitions)->UseManualTime()
        ->ReportAggregatesOnly()->Unit(benchmark::kMillisecond)->ComputeStatistics("p95", Percentile<95>)
        ->ComputeStatistics("p99", Percentile<99>)->ComputeStatistics("max", Percentile<100>);
}

// The program's start-up, step for step as main makes it (keys aside, and
// with a display callback that can look at the frame), to the first frame.
static void StartGlitter(int* argc, char* argv[])
{
    OpenWindow(argc, argv);
    glutDisplayFunc(DrawAndInspect);
    glutReshapeFunc(reshape);
    const GLuint sprite = LoadAssets();
    SeedParticles();
    ReportGLError("init");
    WatchAssets(sprite);
    while (lastFrameEnd == Clock::time_point())   // nothing is drawn until the window is mapped
        DrawOneFrame();
}

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    StartGlitter(&argc, argv);
    const std::chrono::duration<double, std::milli> sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    if (const char* launch = getenv("GLITTER_BENCH_LAUNCH"))
        benchmark::AddCustomContext("launch_to_first_frame_ms", std::to_string(sinceEpoch.count() - atof(launch) * 1000));
    benchmark::AddCustomContext("renderer", std::string(reinterpret_cast<const char*>(glGetString(GL_RENDERER))) +
        "; OpenGL " + reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    Register("BaselineFrame", FrameOf<BaselineMode>, FramesPerMode);
    Register("GlitterFrame", FrameOf<0>, FramesPerMode);
    Register("FireFrame", FrameOf<FireMode>, FramesPerMode);
    Register("SaveToPicture", SaveToPicture, Saves);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

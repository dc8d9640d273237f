#include "app/reload_errors.h"

#include "app/knob_panel.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>

static const int LogLinesShown = 4;       // of the compiler's or linker's log
static const GLubyte Backing[4] = {0, 0, 0, 200};   // black, mostly opaque

// One text per target: lines ending in '\n', the first naming the files.
static char errorTexts[ReloadTargetCount][2048];
// The warnings of each program's last good build, in the same form.
static char warningTexts[2][2048];
// And where the failure lies, when a compiler said.
static char errorFiles[ReloadTargetCount][256];
static int errorLines[ReloadTargetCount];

static void Append(char* text, size_t size, const char* format, ...) PRINTF_FORMAT(3, 4);
static void Append(char* text, size_t size, const char* format, ...)
{
    const size_t used = strlen(text);
    va_list args;
    va_start(args, format);
    vsnprintf(text + used, size - used, format, args);
    va_end(args);
}

// Appends the first few lines of log that hold more than white space.
static void AppendLogLines(char* text, size_t size, const char* log)
{
    int shown = 0;
    for (const char* line = log; *line && shown < LogLinesShown;) {
        const size_t length = strcspn(line, "\n");
        if (strspn(line, " \t\r") < length) {
            Append(text, size, "%.*s\n", static_cast<int>(length), line);
            shown++;
        }
        line += length + (line[length] == '\n');
    }
}

void ShowReloadError(int target, const char* files, const Failure& failure, const char* keptLine)
{
    char* text = errorTexts[target];
    const size_t size = sizeof errorTexts[target];
    text[0] = '\0';
    Append(text, size, "%s\n%s%s\n", files, failure.message, keptLine);
    AppendLogLines(text, size, failure.log);
    if (failure.sourceLine[0])
        Append(text, size, "%s\n", failure.sourceLine);
    snprintf(errorFiles[target], sizeof errorFiles[target], "%s", failure.file);
    errorLines[target] = failure.line;
}

void ClearReloadError(int target)
{
    errorTexts[target][0] = '\0';
    errorFiles[target][0] = '\0';
    errorLines[target] = 0;
}

const char* ReloadErrorText(int target)
{
    return errorTexts[target];
}

const char* ReloadErrorFile(int target)
{
    return errorFiles[target];
}

int ReloadErrorLine(int target)
{
    return errorLines[target];
}

void ShowBuildWarnings(int mode, const char* text)
{
    snprintf(warningTexts[mode], sizeof warningTexts[mode], "%s", text);
}

const char* BuildWarningsText(int mode)
{
    return warningTexts[mode];
}

// Every text the overlay may show, failures first.
static const char* const OverlayTexts[] = {errorTexts[GlitterShaders], errorTexts[FireShaders],
                                           errorTexts[SpriteImage], warningTexts[0], warningTexts[1]};

bool OverlayShown()
{
    return std::any_of(std::begin(OverlayTexts), std::end(OverlayTexts), [](const char* text) { return text[0]; });
}

void DrawOverlayText(int left, int baseline, const char* text, int length, const float colour[3])
{
    glColor3fv(colour);
    glWindowPos2i(left, baseline);
    for (int i = 0; i < length; i++)
        glutBitmapCharacter(OverlayFont, text[i]);
}

// How much of line (length characters) fits in a row of columns: all of
// it, or up to its last space in the row if that is not too far back.
static int RowLength(const char* line, int length, int columns)
{
    if (length <= columns)
        return length;
    for (int i = columns; i > columns / 2; i--)
        if (line[i - 1] == ' ')
            return i;
    return columns;
}

// Lays out every text on show in rows of at most columns characters, long
// lines wrapping at spaces, a blank row between texts; draws the first rowsShown rows
// from window row top downwards when draw is set. Returns the rows needed.
static int LayOutRows(int columns, int rowsShown, int top, bool draw)
{
    int row = 0;
    for (const char* text : OverlayTexts) {
        if (!text[0])
            continue;
        row += row > 0;   // a blank row between two texts
        for (const char* line = text; *line; row++) {
            const int length = static_cast<int>(strcspn(line, "\n"));
            const int shown = RowLength(line, length, columns);
            if (draw && row < rowsShown)
                DrawOverlayText(OverlayMargin, top - (row + 1) * OverlayLineHeight + 4, line, shown,
                                line == text ? OverlayHeadingColour : OverlayTextColour);
            line += shown;
            if (*line == '\n')
                line++;
        }
    }
    return row;
}

// One black, mostly opaque pixel drawn at the window position, zoomed to
// the box's size and blended over what is there.
void DrawOverlayBox(int left, int bottom, int width, int height)
{
    glWindowPos2i(left, bottom);
    glPixelZoom(static_cast<float>(width), static_cast<float>(height));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawPixels(1, 1, GL_RGBA, GL_UNSIGNED_BYTE, Backing);
    glDisable(GL_BLEND);
    glPixelZoom(1, 1);
}

void DrawReloadErrors()
{
    // Most frames have nothing to show: they make no GL call here at all.
    if (!OverlayShown())
        return;
    GLint viewport[4];   // the whole window, as reshape sets it
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    const int columns = (width - 2 * OverlayMargin) / OverlayCharWidth;
    int rows = columns > 0 ? LayOutRows(columns, 0, 0, false) : 0;
    const int lowest = std::max(StatusLineTop, KnobPanelTop(height));
    const int rowsRoom = (height - lowest - 2 * OverlayMargin) / OverlayLineHeight;
    if (rows > rowsRoom)
        rows = rowsRoom;
    if (rows <= 0)
        return;
    const int boxHeight = rows * OverlayLineHeight + 2 * OverlayMargin;
    // Window positions come with depth 0, in front of the whole scene; with
    // depth writes off the backing cannot hide the text drawn on it.
    glDepthMask(GL_FALSE);
    DrawOverlayBox(0, height - boxHeight, width, boxHeight);
    LayOutRows(columns, rows, height - OverlayMargin, true);
    glDepthMask(GL_TRUE);
}

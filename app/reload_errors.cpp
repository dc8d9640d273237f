#include "app/reload_errors.h"

#include "gl/opengl.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

static const int LogLinesShown = 4;       // of the compiler's or linker's log
static void* const Font = GLUT_BITMAP_9_BY_15;
static const int CharWidth = 9;           // pixels, every character of the font
static const int LineHeight = 16;         // pixels
static const int Margin = 8;              // pixels between the box's edge and the text
static const int StatusLineTop = 30;      // pixels: the status line lies below
static const GLubyte Backing[4] = {0, 0, 0, 200};   // black, mostly opaque
static const float HeadingColour[3] = {1.0f, 0.75f, 0.3f};
static const float TextColour[3] = {1.0f, 1.0f, 1.0f};

// One text per target: lines ending in '\n', the first naming the files.
static char errorTexts[ReloadTargetCount][2048];
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
    for (const char* text : errorTexts) {
        if (!text[0])
            continue;
        row += row > 0;   // a blank row between two texts
        for (const char* line = text; *line; row++) {
            const int length = static_cast<int>(strcspn(line, "\n"));
            const int shown = RowLength(line, length, columns);
            if (draw && row < rowsShown) {
                glColor3fv(line == text ? HeadingColour : TextColour);
                glWindowPos2i(Margin, top - (row + 1) * LineHeight + 4);
                for (int i = 0; i < shown; i++)
                    glutBitmapCharacter(Font, line[i]);
            }
            line += shown;
            if (*line == '\n')
                line++;
        }
    }
    return row;
}

// A dark box behind the text, so that it reads on any scene: one black,
// mostly opaque pixel drawn at the window position, zoomed to the box's size
// and blended over what is there.
static void DrawBacking(int bottom, int width, int height)
{
    glWindowPos2i(0, bottom);
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
    if (!errorTexts[GlitterShaders][0] && !errorTexts[FireShaders][0] && !errorTexts[SpriteImage][0])
        return;
    GLint viewport[4];   // the whole window, as reshape sets it
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    const int columns = (width - 2 * Margin) / CharWidth;
    int rows = columns > 0 ? LayOutRows(columns, 0, 0, false) : 0;
    const int rowsRoom = (height - StatusLineTop - 2 * Margin) / LineHeight;
    if (rows > rowsRoom)
        rows = rowsRoom;
    if (rows <= 0)
        return;
    const int boxHeight = rows * LineHeight + 2 * Margin;
    // Window positions come with depth 0, in front of the whole scene; with
    // depth writes off the backing cannot hide the text drawn on it.
    glDepthMask(GL_FALSE);
    DrawBacking(height - boxHeight, width, boxHeight);
    LayOutRows(columns, rows, height - Margin, true);
    glDepthMask(GL_TRUE);
}

#include "app/knob_panel.h"

#include "app/assets.h"
#include "app/knobs.h"
#include "app/host_events.h"
#include "app/reload_errors.h"
#include "app/view_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

static const unsigned char TabKey = 9;
static const int StepsPerRange = 50;      // presses of "+" from one end of a knob to the other
static const char ComponentNames[] = "RGBA";

static bool shown = false;
static int selectedLine = 0;              // among the knobs' lines, from 0

// The lines the mode on screen has: one per slider, one per component of a colour.
static int LineCount()
{
    const KnobList& knobs = KnobsOf(view.mode);
    int lines = 0;
    for (int i = 0; i < knobs.count; i++)
        lines += knobs.knobs[i].components;
    return lines;
}

// The knob and component of a line.
static void KnobOfLine(int line, int* knob, int* component)
{
    const KnobList& knobs = KnobsOf(view.mode);
    *knob = 0;
    while (line >= knobs.knobs[*knob].components)
        line -= knobs.knobs[(*knob)++].components;
    *component = line;
}

// The line selected, kept inside a list that a rebuild may have shortened.
static int SelectedLine()
{
    return std::min(selectedLine, LineCount() - 1);
}

static void Turn(int steps)
{
    if (LineCount() == 0)
        return;
    int knob, component;
    KnobOfLine(SelectedLine(), &knob, &component);
    const Knob& turned = KnobsOf(view.mode).knobs[knob];
    const float step = (turned.max - turned.min) / StepsPerRange;
    SetKnobValue(view.mode, knob, component, turned.value[component] + static_cast<float>(steps) * step);
    TellKnobsChanged(view.mode);
}

bool KnobPanelShown()
{
    return shown;
}

bool KnobPanelKey(unsigned char key)
{
    if (key == 'k' || key == 'K') {
        shown = !shown;
        selectedLine = 0;
        return true;
    }
    if (!shown)
        return false;
    if (key == TabKey)
        selectedLine = LineCount() > 0 ? (SelectedLine() + 1) % LineCount() : 0;
    else if (key == '+' || key == '=')
        Turn(1);
    else if (key == '-')
        Turn(-1);
    else
        return false;
    return true;
}

// Text lines the panel shows in a window height pixels tall: its heading and
// every knob's line if they fit above the status line, in half of that room
// while failures or warnings are on show above it.
static int TextLinesShown(int height)
{
    int room = height - StatusLineTop - 2 * OverlayMargin;
    if (OverlayShown())
        room /= 2;
    return std::clamp(room / OverlayLineHeight, 0, 1 + LineCount());
}

int KnobPanelTop(int height)
{
    const int lines = shown ? TextLinesShown(height) : 0;
    return lines > 0 ? StatusLineTop + lines * OverlayLineHeight + 2 * OverlayMargin : 0;
}

// Enough decimals to show one step of a knob of this range.
static int DecimalsFor(float range)
{
    const double step = static_cast<double>(range) / StepsPerRange;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
}

// Writes line's text: a mark if selected, the name (padded to nameWidth),
// the value and whether the shader uses it.
static int FormatLine(int line, int nameWidth, char* text, size_t size)
{
    int knob, component;
    KnobOfLine(line, &knob, &component);
    const Knob& shownKnob = KnobsOf(view.mode).knobs[knob];
    char name[KnobNameSize + 2];
    snprintf(name, sizeof name, shownKnob.kind == ColorKnob ? "%s %c" : "%s", shownKnob.name,
             ComponentNames[component]);
    const int length = snprintf(text, size, "%c %-*s %.*f%s", line == SelectedLine() ? '>' : ' ', nameWidth, name,
                                DecimalsFor(shownKnob.max - shownKnob.min),
                                static_cast<double>(shownKnob.value[component]),
                                shownKnob.location < 0 ? " unused" : "");
    return std::clamp(length, 0, static_cast<int>(size) - 1);
}

// The panel's first line: what the keys do, or that there is nothing to turn.
static int FormatHeading(char* text, size_t size)
{
    const ProgramFiles& files = ShaderFiles[view.mode];
    const int length = LineCount() > 0 ? snprintf(text, size, "Knobs: Tab, +, -")
                                       : snprintf(text, size, "No knobs in %s%s%s", files.vertex,
                                                  files.fragment ? ", " : "", files.fragment ? files.fragment : "");
    return std::clamp(length, 0, static_cast<int>(size) - 1);
}

static int NameWidth()
{
    const KnobList& knobs = KnobsOf(view.mode);
    int width = 0;
    for (int i = 0; i < knobs.count; i++) {
        const Knob& knob = knobs.knobs[i];
        width = std::max(width, static_cast<int>(strlen(knob.name)) + (knob.kind == ColorKnob ? 2 : 0));
    }
    return width;
}

// Which of the panel's lines a window of some number of text lines shows:
// the heading, unless it would leave no room for a knob, and the knobs'
// lines around the selected one.
struct PanelLines {
    int count;      // text lines in all
    bool heading;
    int first;      // the first knob line shown
};

static PanelLines PanelLinesFor(int lines)
{
    const bool heading = LineCount() == 0 || lines > 1;
    const int knobLines = lines - (heading ? 1 : 0);
    return {lines, heading, std::clamp(SelectedLine() - knobLines + 1, 0, LineCount() - knobLines)};
}

// Writes the text of line row of the panel (0 the top); returns its length.
static int FormatRow(const PanelLines& panel, int row, char* text, size_t size)
{
    if (panel.heading && row == 0)
        return FormatHeading(text, size);
    return FormatLine(panel.first + row - (panel.heading ? 1 : 0), NameWidth(), text, size);
}

static const float SelectedColour[3] = {0.5f, 0.9f, 1.0f};

void DrawKnobPanel()
{
    if (!shown)
        return;
    GLint viewport[4];   // the whole window, as reshape sets it
    glGetIntegerv(GL_VIEWPORT, viewport);
    const PanelLines panel = PanelLinesFor(TextLinesShown(viewport[3]));
    if (panel.count == 0)
        return;
    char text[160];
    int widest = 0;
    for (int row = 0; row < panel.count; row++)
        widest = std::max(widest, FormatRow(panel, row, text, sizeof text));
    const int boxWidth = widest * OverlayCharWidth + 2 * OverlayMargin;
    const int boxHeight = panel.count * OverlayLineHeight + 2 * OverlayMargin;
    const int left = std::max(viewport[2] - boxWidth, 0);
    // As the overlay: depth writes off, so the box cannot hide its text.
    glDepthMask(GL_FALSE);
    DrawOverlayBox(left, StatusLineTop, boxWidth, boxHeight);
    for (int row = 0; row < panel.count; row++) {
        const int length = FormatRow(panel, row, text, sizeof text);
        const bool heading = panel.heading && row == 0;
        const bool selected = !heading && text[0] == '>';
        DrawOverlayText(left + OverlayMargin, StatusLineTop + boxHeight - OverlayMargin - (row + 1) * OverlayLineHeight + 4,
                        text, length, heading ? OverlayHeadingColour : selected ? SelectedColour : OverlayTextColour);
    }
    glDepthMask(GL_TRUE);
}

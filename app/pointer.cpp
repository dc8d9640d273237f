#include "app/pointer.h"

#include "app/host_events.h"
#include "app/view.h"
#include "gl/opengl.h"

#include <cmath>
#include <cstdlib>

// How far a drag turns: across a 600-pixel window, 300 degrees.
static const double DegreesPerPixel = 0.5;
// A second press is a double click when it comes this soon after the first,
// this near it, and the first stayed a click rather than becoming a drag.
static const int DoubleClickMs = 400;
static const int ClickPixels = 10;   // a press that moves further is a drag
// Two fingers zoom one step each time the distance between them grows (in)
// or shrinks (out) by this factor.
static const double PinchStepRatio = 1.1;
static const int MaxTouches = 10;

// The left button's press and drag.
static bool dragging = false;
static int lastX, lastY;                        // where the drag last was
static double azimuthCarry, elevationCarry;     // degrees not yet turned
static bool pressPending = false;               // the last press may start a double click
static int pressMs, pressX, pressY;
static bool pressMoved;

// The pointers held down, and the distance between two of them at which
// the zoom last stepped.
struct Touch {
    int id, x, y;
};
static Touch touches[MaxTouches];
static int touchCount = 0;
static double pinchReference = 0;

static bool Near(int x, int y, int toX, int toY)
{
    return std::abs(x - toX) <= ClickPixels && std::abs(y - toY) <= ClickPixels;
}

static void Press(int nowMs, int x, int y)
{
    if (pressPending && !pressMoved && nowMs - pressMs <= DoubleClickMs && Near(x, y, pressX, pressY)) {
        ResetViewAngles();
        AnnounceState();
        pressPending = false;   // a third press starts afresh
    } else {
        pressPending = true;
    }
    pressMs = nowMs;
    pressX = lastX = x;
    pressY = lastY = y;
    pressMoved = false;
    dragging = true;
    azimuthCarry = elevationCarry = 0;
}

void MouseAt(int nowMs, int button, int state, int x, int y)
{
    if (button != GLUT_LEFT_BUTTON)
        return;
    if (state == GLUT_DOWN)
        Press(nowMs, x, y);
    else
        dragging = false;
}

void mouse(int button, int state, int x, int y)
{
    MouseAt(glutGet(GLUT_ELAPSED_TIME), button, state, x, y);
}

void motion(int x, int y)
{
    if (!dragging)
        return;
    pressMoved = pressMoved || !Near(x, y, pressX, pressY);
    const int dx = x - lastX, dy = y - lastY;
    lastX = x;
    lastY = y;
    if (touchCount >= 2)
        return;   // fingers pinching zoom; they do not turn
    // Whole degrees are turned; what is left over waits for the next move,
    // so a slow drag turns as far as a quick one. Window rows count down.
    azimuthCarry += dx * DegreesPerPixel;
    elevationCarry -= dy * DegreesPerPixel;
    const int azimuth = static_cast<int>(azimuthCarry), elevation = static_cast<int>(elevationCarry);
    azimuthCarry -= azimuth;
    elevationCarry -= elevation;
    if (azimuth || elevation) {
        TurnView(azimuth, elevation);
        AnnounceState();
    }
}

void mouseWheel(int wheel, int direction, int, int)
{
    // Wheel 0 is the usual one; a turn away from the user is +1, as Page Up.
    if (wheel != 0 || direction == 0)
        return;
    ZoomView(direction);
    AnnounceState();
}

// The distance between the first two pointers, at least a pixel.
static double TouchDistance()
{
    const double distance = std::hypot(touches[1].x - touches[0].x, touches[1].y - touches[0].y);
    return distance < 1 ? 1 : distance;
}

void multiButton(int id, int x, int y, int button, int state)
{
    if (button != GLUT_LEFT_BUTTON)
        return;   // a touch is the left button; the wheel's "buttons" are not pointers
    int i = 0;
    while (i < touchCount && touches[i].id != id)
        i++;
    if (state == GLUT_DOWN && i == touchCount && touchCount < MaxTouches)
        touches[touchCount++] = Touch{id, x, y};
    else if (state == GLUT_UP && i < touchCount)
        touches[i] = touches[--touchCount];
    pinchReference = touchCount == 2 ? TouchDistance() : 0;
}

void multiMotion(int id, int x, int y)
{
    for (int i = 0; i < touchCount; i++)
        if (touches[i].id == id)
            touches[i] = Touch{id, x, y};
    if (touchCount != 2)
        return;
    const double distance = TouchDistance();
    int steps = 0;
    for (; distance >= pinchReference * PinchStepRatio; steps++)
        pinchReference *= PinchStepRatio;
    for (; distance <= pinchReference / PinchStepRatio; steps--)
        pinchReference /= PinchStepRatio;
    if (steps) {
        ZoomView(steps);
        AnnounceState();
    }
}

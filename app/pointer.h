// The view by hand, moving the same state the keys move: a drag with the
// left mouse button (or one finger) turns it, the wheel (or two fingers
// pinching) zooms it, and a double click (or a double tap) turns it back as
// "0" does.
#pragma once

// Toolkit callbacks: mouse buttons, motion with a button held, the wheel,
// and the buttons and motion of each of several pointers (the fingers on a
// touch screen, each with its own id).
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
void mouseWheel(int wheel, int direction, int x, int y);
void multiButton(int id, int x, int y, int button, int state);
void multiMotion(int id, int x, int y);

// mouse, at the given reading of the toolkit's clock in milliseconds: a
// double click is two presses close enough in time and place.
void MouseAt(int nowMs, int button, int state, int x, int y);

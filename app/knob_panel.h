// The knob panel: "k" shows and hides it in the lower right of the window,
// above the status line, one line per knob of the mode on screen (a colour
// has a line for each component: R, G, B and, on a vec4, A) in the order of
// the files. The first line is selected when it opens; Tab selects the
// next, "+" (or "=") and "-" turn the selected one by a fiftieth of its
// range, as far as its ends. None of these keys acts while it is hidden.
#pragma once

// Acts on key if it is one of the panel's; true if it was.
bool KnobPanelKey(unsigned char key);

// Whether the panel is shown: the keys above are its only then.
bool KnobPanelShown();

// The window row just above the panel in a window height pixels tall, for
// the overlay to stop at; 0 while it is hidden.
int KnobPanelTop(int height);

// Draws the panel in window coordinates while it is shown.
void DrawKnobPanel();

// Tells whoever shows the knobs beside the program that a mode's knobs have
// changed: the web page, which builds its controls from them, is told after
// every build and every turn of a knob by a key, so that it never has to
// ask. On the desktop nobody listens.
#pragma once

void TellKnobsChanged(int mode);

// Tells whoever shows the program's controls that the state they show has
// changed: the clock, the mode, the axes and the view. On the web that is
// the page (its play button, time slider, mode and axes controls), which is
// told through Module.onState instead of asking again and again; elsewhere
// nobody listens. Each system has its own unit, chosen by the build:
// announce_none.cpp, and the web page's own.
#pragma once

// Called by whatever changes that state, after the change.
void AnnounceState();

// What the program tells the page it runs in, as it happens, so that the page
// shows it beside the picture without ever asking. A desktop program has no
// such host: there host_events_none.cpp does nothing, and the web build's
// web/host_events_web.cpp calls the page's script.
#pragma once

// target (a ReloadTarget) was just rebuilt from its files: built is false
// when that failed, and the failure is then on show (ReloadErrorText and the
// file and line beside it).
void TellBuilt(int target, bool built);

// mode's knobs have changed: after every build, and every turn of a knob by
// a key (KnobsJson says what they are now).
void TellKnobsChanged(int mode);

// The state the page's controls show has changed: the clock, the mode, the
// axes or the view. Called by whatever changed it, after the change.
void AnnounceState();

// The desktop: the window and stderr show everything, the knob panel
// included; no page listens.
#include "app/host_events.h"

void TellBuilt(int, bool)
{
}

void TellKnobsChanged(int)
{
}

void AnnounceState()
{
}

// The desktop: the knob panel is drawn by the program itself, from the
// knobs as they are at each frame; nothing else needs telling.
#include "app/knobs_changed.h"

void TellKnobsChanged(int)
{
}

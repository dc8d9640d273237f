// The desktop: the window and stderr show everything; no page listens.
#include "app/host_events.h"

void TellBuilt(int, bool)
{
}

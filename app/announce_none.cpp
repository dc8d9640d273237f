// Linux and Windows: the window is all the program shows; nothing else
// follows its state.
#include "app/announce.h"

void AnnounceState()
{
}

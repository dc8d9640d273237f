#include "gl/graphics_reset.h"

void WhenGraphicsReset(void (*)())
{
}

// What the page's script may ask of the running program, and tell it: the
// failed builds on show, for its editor to mark where the overlay's quoted
// line is, and which mode to show when one of its files is edited.
#include "app/reload_errors.h"
#include "app/view.h"

#include <emscripten.h>

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* glitter_reload_error_text(int target)
{
    return ReloadErrorText(target);
}

EMSCRIPTEN_KEEPALIVE const char* glitter_reload_error_file(int target)
{
    return ReloadErrorFile(target);
}

EMSCRIPTEN_KEEPALIVE int glitter_reload_error_line(int target)
{
    return ReloadErrorLine(target);
}

EMSCRIPTEN_KEEPALIVE void glitter_show_mode(int mode)
{
    ShowMode(mode);
}
}

// What the page's script may ask of the running program: check a sprite
// before it saves it, build the files it has just saved, and show a mode. What the program has to say, it says
// itself (app/host_events.h).
#include "app/assets.h"
#include "app/view.h"
#include "gl/bmp_image.h"

#include <emscripten.h>

extern "C" {

// Where the page puts the start of a sprite it would save, for
// glitter_check_sprite.
static unsigned char spriteStart[BmpHeaderStartBytes];

EMSCRIPTEN_KEEPALIVE unsigned char* glitter_sprite_start()
{
    return spriteStart;
}

// count bytes of spriteStart are the file's first; length is a double, as a
// file's size in JavaScript may pass 2 GiB.
EMSCRIPTEN_KEEPALIVE int glitter_check_sprite(int count, double length)
{
    size_t held = count < 0 ? 0 : static_cast<size_t>(count);
    if (held > sizeof spriteStart)
        held = sizeof spriteStart;
    return CheckSpriteStart(spriteStart, held, static_cast<long long>(length));
}

EMSCRIPTEN_KEEPALIVE void glitter_build_saved_files()
{
    BuildSavedFiles();
}

EMSCRIPTEN_KEEPALIVE void glitter_show_mode(int mode)
{
    ShowMode(mode);
}
}

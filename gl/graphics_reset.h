// Graphics taken away and given back while the program runs: a browser may
// lose a page's WebGL context (a GPU reset, the system reclaiming it) and
// give it back empty, with none of the program's GL objects. The desktop's
// GL context is never lost. Each system has its own unit, chosen by the
// build: graphics_reset_none.cpp and web/graphics_reset_web.cpp.
#pragma once

// From now on, when the graphics come back, the platform's own GL objects
// are made again first, then rebuild makes the program's: its programs,
// textures and the state its frames rely on. Until then no frame is drawn
// and no timer runs.
void WhenGraphicsReset(void (*rebuild)());

// How often the program's GL error checks ask GL. On the desktop, at every
// check; in a browser, asking waits until the GPU has finished every draw
// so far, so the frame's check asks only about once a second there. Each
// system has its own unit, chosen by the build: error_checks_every_call.cpp
// and web/error_checks_web.cpp.
#pragma once

// Whether ReportGLError(label) fetches GL's error flag now. An error not
// fetched stays set in GL until a later check fetches it.
bool TimeToCheckGLError(const char* label);

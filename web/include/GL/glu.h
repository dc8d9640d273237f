// The web build's GL/glu.h: the one GLU call the program makes.
#pragma once

#include <GLES2/gl2.h>

// The text of a GL error code, in GLU's words ("invalid value").
const GLubyte* gluErrorString(GLenum error);

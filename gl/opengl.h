// The OpenGL headers from wherever each system keeps them: GLEW first (it
// must come before any other GL header), then GLU and the GLUT toolkit, which
// is freeglut on Linux and Windows and Apple's GLUT framework on macOS.
#pragma once

#include <GL/glew.h>

#ifdef __APPLE__
#include <GLUT/glut.h>
#include <OpenGL/glu.h>
#else
#include <GL/freeglut.h>
#include <GL/glu.h>
#endif

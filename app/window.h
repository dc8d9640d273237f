// The program's one window and its GL context.
#pragma once

// Opens the 600 x 600 window titled "Glitter" (RGB with alpha, double
// buffered, with a depth buffer), handing the command line to the toolkit,
// and makes sure its context offers OpenGL 2.0; if not, the program ends.
void OpenWindow(int* argc, char* argv[]);

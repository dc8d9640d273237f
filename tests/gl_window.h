// A real GL 2.0 context for tests: a small GLUT window on the X display that
// the test runs under (Xvfb in CI).
#pragma once

// Creates the window once per process and makes its context current.
void OpenTestWindow();

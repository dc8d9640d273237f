// The orthographic view and the toolkit callbacks that change it.
#pragma once

// Rebuilds the projection from view.dim and view.aspect, then leaves the
// model-view matrix current and reset to the identity.
void SetProjection();

// Toolkit callbacks: window resize, arrow/page keys, character keys.
void reshape(int width, int height);
void special(int key, int x, int y);
void keyboard(unsigned char key, int x, int y);

// Brings mode on screen if it is not there, as "m" would, freshly seeded.
void ShowMode(int mode);

// The orthographic view and the toolkit callbacks that change it.
#pragma once

// Rebuilds the projection from view.dim and view.aspect, then leaves the
// model-view matrix current and reset to the identity.
void SetProjection();

// Toolkit callbacks: window resize, arrow/page keys, character keys.
void reshape(int width, int height);
void special(int key, int x, int y);
void keyboard(unsigned char key, int x, int y);

// What the keys, the mouse and the page's controls do to the view, each
// followed by a redisplay. Whoever calls them tells the page (AnnounceState).
// Turns by whole degrees: azimuth as Right presses do, elevation as Up.
void TurnView(int azimuthDegrees, int elevationDegrees);
// Zooms by steps of Page Up (positive, in, never while dim is 1 or below)
// or of Page Down (negative, out).
void ZoomView(int steps);
// Back to the start-up angles, as "0" does; the zoom stays.
void ResetViewAngles();

// Brings mode on screen if it is not there, as "m" would, freshly seeded.
void ShowMode(int mode);

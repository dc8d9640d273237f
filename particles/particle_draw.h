// Hands the live particles to GL as one batch of points.
#pragma once

// Draws gridSize^2 points with the current program and view.mode's state:
// small opaque points for Glitter, additive textured sprites for Fire.
// Afterwards point sprites and blending are off and depth writes on.
void DrawParticles();

// The fire sprite: a soft, round, grey glow on black. The fire shader tints
// it and blends it additively, so black adds nothing and the square edges of
// each point sprite vanish.
#pragma once

#include <vector>

const int GlowSide = 64;          // pixels, both ways (rows need no padding)
const double GlowRadius = 30.0;   // pixels from the centre to where it turns black

// Brightness 0 to 255 of the pixel at (column, row): (1 - r^2)^2 of the
// distance r of its centre from the image centre, in units of GlowRadius,
// and 0 from r = 1 on.
int GlowBrightness(int column, int row);

// The complete 24-bit BMP file of the glow.
std::vector<unsigned char> ParticleGlowBmp();

#include "tools/particle_glow.h"

#include "tools/bmp_bytes.h"

#include <cmath>

int GlowBrightness(int column, int row)
{
    const double centre = GlowSide / 2.0;
    const double dx = (column + 0.5 - centre) / GlowRadius;
    const double dy = (row + 0.5 - centre) / GlowRadius;
    const double rSquared = dx * dx + dy * dy;
    if (rSquared >= 1.0)
        return 0;
    const double falloff = (1.0 - rSquared) * (1.0 - rSquared);
    return static_cast<int>(std::lround(255.0 * falloff));
}

std::vector<unsigned char> ParticleGlowBmp()
{
    std::vector<unsigned char> rgb;
    for (int row = 0; row < GlowSide; row++) {
        for (int column = 0; column < GlowSide; column++) {
            const unsigned char grey = static_cast<unsigned char>(GlowBrightness(column, row));
            rgb.insert(rgb.end(), {grey, grey, grey});
        }
    }
    return BmpFileOf(GlowSide, GlowSide, rgb);
}

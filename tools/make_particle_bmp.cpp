// Writes the fire sprite, assets/particle.bmp: run through the build's
// "particle_bmp" target, or by hand as make_particle_bmp <output file>.

#include "tools/bmp_bytes.h"
#include "tools/particle_glow.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s <output.bmp>\n", argv[0]);
        return 2;
    }
    if (!WriteBytesToFile(argv[1], ParticleGlowBmp())) {
        fprintf(stderr, "Cannot write sprite image %s\n", argv[1]);
        return 1;
    }
    return 0;
}

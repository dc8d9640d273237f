#include "particles/particle_store.h"

#include "app/view_state.h"

#include <cstdlib>

ParticleStore particles;

// The generator is never seeded, so every run sees the same particles.
float UniformRandom(float scale, float offset)
{
    return offset + scale * static_cast<float>(rand()) / static_cast<float>(RAND_MAX);
}

// -1 or +1 with even odds.
static float RandomSign()
{
    return UniformRandom(1, 0) < 0.5f ? -1.0f : 1.0f;
}

// Seeds particle k from the centre of grid cell (i, j) on the diagonal plane
// y = z. The ten random draws happen in a fixed order so runs repeat.
static void SeedParticle(int k, int i, int j)
{
    const int n = particles.gridSize;
    const double across = (i + 0.5) / n - 0.75;
    const double up = (j + 0.5) / n - 0.75;
    float* position = &particles.positions[3 * k];
    position[0] = static_cast<float>(across);
    position[1] = static_cast<float>(up);
    position[2] = static_cast<float>(up);

    float* color = &particles.colors[3 * k];
    color[0] = UniformRandom(0.2f, 0);
    color[1] = UniformRandom(0.3f, 0);
    color[2] = UniformRandom(1, 0);

    float* velocity = &particles.velocities[3 * k];
    float sign = RandomSign();
    velocity[0] = sign * UniformRandom(1, 0);
    sign = RandomSign();
    velocity[1] = sign * UniformRandom(5, 0);
    sign = RandomSign();
    velocity[2] = sign * UniformRandom(1, 3);

    particles.startTimes[k] = UniformRandom(2, 0);
}

void SeedParticles()
{
    particles.gridSize = view.mode ? FireGrid : MaxGrid;
    for (int i = 0; i < particles.gridSize; i++)
        for (int j = 0; j < particles.gridSize; j++)
            SeedParticle(i * particles.gridSize + j, i, j);
}

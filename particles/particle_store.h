// Per-particle start data. It never changes while the animation runs: the
// vertex shader places every particle from it and the clock.
#pragma once

static const int MaxGrid = 100;   // particles per side in Glitter mode, the larger grid
static const int FireGrid = 15;   // particles per side in Fire mode
static const int MaxParticles = MaxGrid * MaxGrid;

// Four parallel, tightly packed arrays: particle k is element k of each, so
// GL can read them as client arrays with a stride of 0.
struct ParticleStore {
    float positions[MaxParticles * 3];   // start x, y, z in world units
    float colors[MaxParticles * 3];      // red, green, blue in [0, 1]
    float velocities[MaxParticles * 3];  // world units per second ("Vel")
    float startTimes[MaxParticles];      // seconds ("Start")
    int gridSize;                        // particles per side in the current mode
};

extern ParticleStore particles;

// Returns offset + scale * r, with r drawn uniformly from [0, 1] by rand().
float UniformRandom(float scale, float offset);

// Fills the first gridSize^2 entries for view.mode: a 100 x 100 grid for
// Glitter, 15 x 15 for Fire. Entries beyond keep their old values.
void SeedParticles();

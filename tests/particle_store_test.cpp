#include "app/view_state.h"
#include "particles/particle_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

static void SeedMode(int mode)
{
    view.mode = mode;
    SeedParticles();
}

static void ExpectPosition(int k, double x, double y)
{
    EXPECT_FLOAT_EQ(static_cast<float>(x), particles.positions[3 * k]) << "particle " << k;
    EXPECT_FLOAT_EQ(static_cast<float>(y), particles.positions[3 * k + 1]) << "particle " << k;
    EXPECT_FLOAT_EQ(static_cast<float>(y), particles.positions[3 * k + 2]) << "particle " << k;
}

TEST(SeedParticles, FillsEachModesGridOnTheDiagonalPlane)
{
    SeedMode(0);
    EXPECT_EQ(100, particles.gridSize);
    ExpectPosition(0, -0.745, -0.745);
    ExpectPosition(1, -0.745, -0.735);     // j runs fastest, along y and z
    ExpectPosition(100, -0.735, -0.745);   // i steps x
    ExpectPosition(9999, 0.245, 0.245);
    SeedMode(1);
    ExpectPosition(224, 14.5 / 15 - 0.75, 14.5 / 15 - 0.75);
}

// The runtime's generator with no seed behaves as if seeded with 1.
TEST(SeedParticles, DrawsTenNumbersPerParticleInAFixedOrderFromOneContinuingSequence)
{
    srand(1);
    float draws[20];
    for (float& draw : draws)
        draw = static_cast<float>(rand()) / static_cast<float>(RAND_MAX);
    srand(1);
    SeedMode(0);
    for (int k = 0; k < 2; k++) {
        const float* d = &draws[10 * k];
        const float* v = &particles.velocities[3 * k];
        EXPECT_FLOAT_EQ(0.2f * d[0], particles.colors[3 * k]);
        EXPECT_FLOAT_EQ(0.3f * d[1], particles.colors[3 * k + 1]);
        EXPECT_FLOAT_EQ(d[2], particles.colors[3 * k + 2]);
        EXPECT_FLOAT_EQ((d[3] < 0.5f ? -1 : 1) * d[4], v[0]);
        EXPECT_FLOAT_EQ((d[5] < 0.5f ? -1 : 1) * 5 * d[6], v[1]);
        EXPECT_FLOAT_EQ((d[7] < 0.5f ? -1 : 1) * (3 + d[8]), v[2]);
        EXPECT_FLOAT_EQ(2 * d[9], particles.startTimes[k]);
    }
    // Switching modes and back draws on from the sequence: a fresh set.
    const std::vector<float> first(particles.startTimes, particles.startTimes + MaxParticles);
    SeedMode(1);
    SeedMode(0);
    EXPECT_NE(first, std::vector<float>(particles.startTimes, particles.startTimes + MaxParticles));
}

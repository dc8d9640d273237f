#include "app/view_state.h"
#include "particles/particle_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

// The runtime's generator with no seed behaves as if seeded with 1.
static void RestartRandomSequence()
{
    srand(1);
}

static void SeedMode(int mode)
{
    view.mode = mode;
    SeedParticles();
}

// All four arrays, one after the other: positions, colours, velocities,
// start times.
static std::vector<float> Snapshot()
{
    std::vector<float> values;
    for (const auto& array : {std::make_pair(particles.positions, 3), std::make_pair(particles.colors, 3),
                              std::make_pair(particles.velocities, 3), std::make_pair(particles.startTimes, 1)})
        values.insert(values.end(), array.first, array.first + array.second * MaxParticles);
    return values;
}

static void ExpectPosition(int k, float x, float y, float z)
{
    EXPECT_FLOAT_EQ(x, particles.positions[3 * k]) << "particle " << k;
    EXPECT_FLOAT_EQ(y, particles.positions[3 * k + 1]) << "particle " << k;
    EXPECT_FLOAT_EQ(z, particles.positions[3 * k + 2]) << "particle " << k;
}

TEST(SeedParticles, GlitterModeFillsA100By100GridOnTheDiagonalPlane)
{
    SeedMode(0);
    EXPECT_EQ(100, particles.gridSize);
    ExpectPosition(0, -0.745f, -0.745f, -0.745f);
    ExpectPosition(1, -0.745f, -0.735f, -0.735f);     // j runs fastest, along y and z
    ExpectPosition(100, -0.735f, -0.745f, -0.745f);   // i steps x
    ExpectPosition(9999, 0.245f, 0.245f, 0.245f);
}

TEST(SeedParticles, FireModeFillsA15By15GridAndLeavesTheRestAlone)
{
    SeedMode(0);
    const std::vector<float> glitter = Snapshot();
    SeedMode(1);
    EXPECT_EQ(15, particles.gridSize);
    const float first = static_cast<float>(0.5 / 15 - 0.75);
    const float last = static_cast<float>(14.5 / 15 - 0.75);
    ExpectPosition(0, first, first, first);
    ExpectPosition(224, last, last, last);
    // Entries 225 onwards are never drawn in this mode and keep their values.
    for (int k = 225; k < MaxParticles; k++) {
        ASSERT_EQ(glitter[3 * k], particles.positions[3 * k]) << k;
        ASSERT_EQ(glitter[3 * MaxParticles + 3 * k + 2], particles.colors[3 * k + 2]) << k;
        ASSERT_EQ(glitter[9 * MaxParticles + k], particles.startTimes[k]) << k;
    }
}

// Every live value must lie in the range the shaders are written for.
static void ExpectLiveValuesInRange()
{
    const int count = particles.gridSize * particles.gridSize;
    int negativeX = 0, negativeY = 0, negativeZ = 0;
    for (int k = 0; k < count; k++) {
        const float* c = &particles.colors[3 * k];
        const float* v = &particles.velocities[3 * k];
        ASSERT_TRUE(c[0] >= 0 && c[0] <= 0.2f) << k;
        ASSERT_TRUE(c[1] >= 0 && c[1] <= 0.3f) << k;
        ASSERT_TRUE(c[2] >= 0 && c[2] <= 1) << k;
        ASSERT_TRUE(v[0] >= -1 && v[0] <= 1) << k;
        ASSERT_TRUE(v[1] >= -5 && v[1] <= 5) << k;
        ASSERT_TRUE((v[2] >= 3 && v[2] <= 4) || (v[2] >= -4 && v[2] <= -3)) << k << ": " << v[2];
        ASSERT_TRUE(particles.startTimes[k] >= 0 && particles.startTimes[k] <= 2) << k;
        negativeX += v[0] < 0;
        negativeY += v[1] < 0;
        negativeZ += v[2] < 0;
    }
    // Signs come from a fair coin: each is negative for roughly half.
    for (int negatives : {negativeX, negativeY, negativeZ}) {
        EXPECT_GT(negatives, count * 3 / 10);
        EXPECT_LT(negatives, count * 7 / 10);
    }
}

TEST(SeedParticles, EveryValueLiesInItsRangeInBothModes)
{
    SeedMode(0);
    ExpectLiveValuesInRange();
    SeedMode(1);
    ExpectLiveValuesInRange();
}

TEST(SeedParticles, DrawsTenRandomNumbersPerParticleInAFixedOrder)
{
    RestartRandomSequence();
    float draws[20];
    for (float& draw : draws)
        draw = static_cast<float>(rand()) / static_cast<float>(RAND_MAX);
    RestartRandomSequence();
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
}

TEST(SeedParticles, RepeatsExactlyFromAFreshSequence)
{
    RestartRandomSequence();
    SeedMode(0);
    const std::vector<float> first = Snapshot();
    RestartRandomSequence();
    SeedMode(0);
    EXPECT_EQ(first, Snapshot());
}

TEST(SeedParticles, SwitchingModesAndBackContinuesTheSequence)
{
    RestartRandomSequence();
    SeedMode(0);
    const std::vector<float> atStartUp = Snapshot();
    SeedMode(1);
    SeedMode(0);
    const std::vector<float> afterSwitch = Snapshot();
    // Same grid, new colours, velocities and start times.
    for (int k = 0; k < 3 * MaxParticles; k++)
        ASSERT_EQ(atStartUp[k], afterSwitch[k]) << "position " << k;
    EXPECT_NE(atStartUp, afterSwitch);
}

TEST(UniformRandom, ScalesAndOffsetsADrawFromZeroToOne)
{
    for (int i = 0; i < 10000; i++) {
        const float value = UniformRandom(1, 3);
        ASSERT_GE(value, 3.0f);
        ASSERT_LE(value, 4.0f);
    }
}

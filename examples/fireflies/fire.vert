#version 110
// Fireflies: a summer night over a meadow. Each firefly wanders slowly round
// its own home, on a path made of a few slow sine waves, and flashes now and
// then: a quick rise, a slower fade and a long dark wait, each at its own
// rhythm. Flashes drift across the meadow in loose waves, as neighbours tend
// to answer one another.
//
// Knobs, to turn while it runs ("k" shows them): Blink, the time between
// flashes; WaveSpeed, how fast the waves of flashes cross; Light, the
// colour of the glow.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // per-firefly random numbers (read below as -1..1 or 0..1)
attribute float Start;   // per-firefly random number, 0..2

varying float flash;     // 0 dark .. 1 at the peak of a flash

const float Wander = 0.35;      // how far a firefly strays from home, world units
// Seconds between a firefly's flashes, on average.
uniform float Blink;      // @slider 0.5 8.0 = 3.0
// How fast the waves of flashes cross, world units/s.
uniform float WaveSpeed;  // @slider 0.1 10.0 = 0.8
// The colour of a firefly's glow; its core turns almost white in a flash.
uniform vec3 Light;       // @color = 0.7 1.0 0.2

void main()
{
    // Home: spread over the meadow, thicker low down (the square of a
    // uniform number), and clear of the status line.
    float up = (Vel.y + 5.0) / 10.0;
    vec3 home = vec3(2.5 * Vel.x, -2.0 + 4.0 * up * up, 2.0 * (abs(Vel.z) - 3.5) * 2.0);

    // Wandering: three sine waves with the firefly's own rates and phases,
    // one for each direction. Rates that do not divide evenly never bring it
    // back the same way twice.
    float r = gl_Color.r / 0.2, g = gl_Color.g / 0.3, b = gl_Color.b;
    float phase = 3.14159265 * Start;
    vec3 rates = vec3(0.31 + 0.3 * r, 0.23 + 0.25 * g, 0.27 + 0.3 * b);
    vec3 position = home + Wander * vec3(sin(rates.x * time + phase),
                                         0.6 * sin(rates.y * time + 2.0 * phase),
                                         sin(rates.z * time + 3.0 * phase));
    // and a little quick bobbing, as insects fly
    position.y += 0.05 * sin(5.0 * time + 9.0 * r);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    // Flashing: where the firefly is in its cycle, from 0 to 1. The cycle is
    // its own length, and is put back by its distance across the meadow, so
    // that flashes travel as waves from left to right.
    float period = Blink * (0.8 + 0.4 * g);
    float cycle = fract((time - position.x / WaveSpeed) / period + 0.35 * b);
    // A flash rises over the first 8 % of the cycle and fades by the end of
    // its first third; then the firefly waits in the dark. Squaring the
    // curve makes the flash sharper.
    flash = smoothstep(0.0, 0.08, cycle) * (1.0 - smoothstep(0.08, 0.33, cycle));
    flash *= flash;
    // A faint glow stays between flashes, so the dark ones can be seen.
    gl_FrontColor = vec4(Light, 0.04 + 0.9 * flash);
    gl_TexCoord[0] = vec4(0.0);   // replaced across each sprite by GL
}

#version 110
// Snow: flakes drift down through a deep box of air, swaying as they fall and
// carried sideways by a wind that rises and drops, onto a bank of snow along
// the bottom. A flake that lands on the bank reappears at the top, and one
// blown off one side comes back in from the other, so the same flakes fall
// for ever. Near flakes fall faster, sway wider and shine brighter than far
// ones: that difference alone makes the snow look deep.
//
// Knobs, to turn while it runs ("k" shows them): FallSpeed, Wind and Lying.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // per-flake random numbers (read below as 0..1 values)
attribute float Start;   // per-flake random number, 0..2

const float Top = 2.9;          // flakes appear here, world units
const float Bottom = -2.55;     // the bank's foot, above the status line
const float Width = 6.0;        // the window's width: x wraps from +3 to -3
const float Depth = 4.0;        // the box runs from z = -2 (far) to +2 (near)
// World units/s of a middling flake.
uniform float FallSpeed;  // @slider 0.05 1.5 = 0.35
// Steady drift to the right, world units/s.
uniform float Wind;       // @slider -1.0 1.0 = 0.12
// Share of the flakes that make up the bank.
uniform float Lying;      // @slider 0.0 0.9 = 0.35

// The top of the bank at x: a few gentle drifts.
float bankTop(float x)
{
    return -2.15 + 0.16 * sin(1.3 * x + 0.5) + 0.08 * sin(3.1 * x + 1.7);
}

void main()
{
    // Random numbers in 0..1 from the seeded values: each particle keeps its
    // own for ever, so they work as its fixed character.
    float across = (Vel.x + 1.0) * 0.5;     // where across the window
    float height = (Vel.y + 5.0) / 10.0;    // where in its fall at time 0
    float heavy = abs(Vel.z) - 3.0;         // heavier flakes fall faster
    float nearness = gl_Color.b;            // 0 far .. 1 near
    float swing = gl_Color.g / 0.3;         // its own sway rate
    float tone = gl_Color.r / 0.2;          // a little brighter or dimmer
    float phase = 3.14159265 * Start;

    float x = (across - 0.5) * Width;
    float z = (nearness - 0.5) * Depth;
    vec3 white = vec3(0.86, 0.91, 1.0);

    // The bank: a third of the flakes lie still, thickest at the surface
    // and thinning with depth (the square of a uniform number crowds it
    // towards 0). Now and then one glints as if it caught the light.
    if (Start < 2.0 * Lying) {
        float below = 0.45 * height * height;
        float y = max(bankTop(x) - below, Bottom);
        gl_Position = gl_ModelViewProjectionMatrix * vec4(x, y, z, 1.0);
        float glint = pow(0.5 + 0.5 * sin(1.7 * time * (0.5 + swing) + 40.0 * tone), 40.0);
        float shade = mix(0.75, 0.25, height) * (0.7 + 0.3 * tone);
        gl_FrontColor = vec4(white * min(shade + glint, 1.0), 1.0);
        return;
    }

    // Parallax: everything a near flake does, it does bigger.
    float scale = mix(0.5, 1.5, nearness);

    // Falling: a steady speed, wrapped with mod() into the height of the box.
    // At time 0 the flakes are already spread over the whole height, so the
    // snow has no start-up.
    float span = Top - Bottom;
    float fall = FallSpeed * mix(0.7, 1.3, heavy) * scale;
    float y = Top - mod(height * span + fall * time, span);

    // The wind: a steady drift plus slow gusts that every flake feels at
    // once, so the whole snowfall leans one way and then the other.
    float gusts = 0.5 * sin(0.31 * time) + 0.25 * sin(0.77 * time + 1.0);
    float blown = (Wind * time + gusts) * scale;
    x = mod(x + 0.5 * Width + blown, Width) - 0.5 * Width;

    // Sway: each flake rocks from side to side at its own rate and phase,
    // and a little back and forth in depth.
    float rate = mix(0.7, 1.6, swing);
    x += 0.12 * scale * sin(rate * time + phase);
    z += 0.08 * cos(0.8 * rate * time + phase);

    // Landed: hidden beyond the far plane until the wrap brings it back to
    // the top.
    float aboveBank = y - bankTop(x);
    if (aboveBank < 0.0) {
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
        gl_FrontColor = vec4(0.0);
        return;
    }
    gl_Position = gl_ModelViewProjectionMatrix * vec4(x, y, z, 1.0);

    // Colour: white with a touch of blue, far flakes dim and near ones
    // bright, fading in below the top.
    float brightness = mix(0.25, 1.0, nearness * nearness) * (0.75 + 0.25 * tone);
    brightness *= smoothstep(Top, Top - 0.2, y);
    gl_FrontColor = vec4(white * brightness, 1.0);
}

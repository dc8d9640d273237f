#version 110
// Comet: a bright head sweeps round a looping path and leaves a glowing tail
// behind it. No particle follows the head: each one is dropped where the head
// was at the moment of its birth, and drifts slowly away from there while it
// cools and fades. Together the particles born over the last few seconds
// draw the path the head has taken: the tail is the head's recent past.
//
// Knobs, to turn while it runs ("k" shows them): Life, how long the tail
// is; Drift, how far its particles spread; Tail, the colour it cools to.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // per-particle random numbers: the drift
attribute float Start;   // per-particle random number, 0..2: its place in the cycle

varying float age01;     // 0 at birth .. 1 when it has faded

// Seconds a particle of the tail lasts.
uniform float Life;      // @slider 0.5 6.0 = 2.5
// How far a particle drifts in its life, world units.
uniform float Drift;     // @slider 0.0 1.5 = 0.35
// The colour the oldest particles of the tail cool to.
uniform vec3 Tail;       // @color = 0.55 0.25 1.0

// Where the head is at time t: round the middle of the view at a steady
// pace, on a loop that swells and shrinks and bobs in depth. The rates do
// not divide evenly, so the loop never quite repeats.
vec3 head(float t)
{
    float around = 1.1 * t;
    float reach = 1.0 + 0.12 * sin(2.3 * t);
    return vec3(2.0 * reach * cos(around),
                0.35 + 1.5 * reach * sin(around) + 0.25 * sin(2.7 * t),
                1.0 * sin(0.8 * t));
}

void main()
{
    // Every particle repeats the same life; Start spreads the births evenly
    // over a lifetime, so a new particle leaves the head every few ms.
    float age = mod(time + Start * 0.5 * Life, Life);
    float birth = time - age;
    age01 = age / Life;

    // Born where the head was, then drifting outwards in its own direction,
    // fast at first and slowing (1 - e^-3t), so the tail widens behind the
    // head and soon holds still.
    vec3 away = vec3(Vel.x, Vel.y / 5.0, abs(Vel.z) - 3.5);
    vec3 position = head(birth) + Drift * away * (1.0 - exp(-3.0 * age01));
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    // Colour: white-hot at the head, cooling through ice blue to violet.
    vec3 hot = vec3(1.0, 0.97, 0.9);
    vec3 ice = vec3(0.3, 0.7, 1.0);
    vec3 color = mix(hot, ice, smoothstep(0.0, 0.15, age01));
    color = mix(color, Tail, smoothstep(0.3, 0.9, age01));
    // The newest particles overlap most at the head and add up to a bright
    // core; the rest fade out steadily.
    float alpha = 0.35 * (1.0 - age01) * (0.8 + 0.2 * gl_Color.b);
    gl_FrontColor = vec4(color, alpha);
    gl_TexCoord[0] = vec4(0.0);   // replaced across each sprite by GL
}

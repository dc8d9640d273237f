#version 110
// Fire: a campfire. The starting grid becomes the bed of the fire; from each
// point a tongue of flame is born, rises faster as it goes (hot air
// accelerates), tapers towards the middle and sways, cooling from white-yellow
// through orange to dark red before it is born again.
//
// Knobs, to turn while it runs ("k" shows them): Rise, how high the flames
// climb; Wind, which bends them over; Flame, their colour between the white
// heat and the embers; and, in fire.frag, Glow.

uniform float time;      // seconds since the program started
// Height climbed in one lifetime, world units.
uniform float Rise;      // @slider 0.5 5.0 = 2.5
// How far a wind from the left bends the tops over, world units (negative:
// from the right).
uniform float Wind;      // @slider -1.5 1.5 = 0.0
uniform vec3 Flame;      // @color = 1.0 0.42 0.06
attribute vec3 Vel;      // per-particle randomness: rise speed, drift, lifetime
attribute float Start;   // first birth, seconds

const vec3 GridCentre = vec3(-0.25, -0.25, -0.25);   // middle of the starting grid
const float BedWidth = 1.4;        // side of the fire bed, world units
const float BedHeight = -1.6;     // height of the fire bed, world units
const float Life = 1.6;            // seconds from birth to rebirth, on average

void main()
{
    float age = time - Start;
    if (age < 0.0) {
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);   // beyond the far plane: unborn
        gl_FrontColor = vec4(0.0);
        return;
    }
    // Lifetimes differ a little, so the flames do not pulse in step.
    float life = Life * (0.8 + 0.4 * abs(Vel.x));
    float t = mod(age, life) / life;   // 0 at birth, 1 at death

    // The grid lies on a slope; lay it flat as the bed, centred on the origin.
    vec3 bed = (gl_Vertex.xyz - GridCentre) * BedWidth;
    vec3 position = vec3(bed.x, BedHeight, bed.z);
    // Taper towards the middle as the flame climbs, with a little drift.
    position.xz *= 1.0 - 0.85 * t;
    position.xz += 0.04 * Vel.xz * t;
    position.y += Rise * (0.85 + 0.05 * abs(Vel.y)) * t * (0.5 + 0.5 * t);
    // A sway that grows with height, like a flame in a draught, and the
    // wind, which bends the top over most.
    position.x += 0.18 * t * sin(time * 2.3 + bed.z * 3.0 + Start);
    position.z += 0.12 * t * cos(time * 1.7 + bed.x * 3.0);
    position.x += Wind * t * t;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    vec3 hot = vec3(1.0, 0.9, 0.6);
    vec3 flame = Flame;
    vec3 ember = vec3(0.55, 0.04, 0.02);
    vec3 color = mix(hot, flame, smoothstep(0.0, 0.3, t));
    color = mix(color, ember, smoothstep(0.3, 0.85, t));

    // Quick, irregular brightness changes: two waves out of step.
    float flicker = 0.8 + 0.2 * sin(time * 23.0 + Start * 17.0) * sin(time * 11.0 + Vel.y * 5.0);
    // Fade in over the first moments of life so births do not pop, and out
    // as the flame cools.
    float alpha = 0.45 * smoothstep(0.0, 0.1, t) * (1.0 - t) * flicker;
    gl_FrontColor = vec4(color, alpha);
    gl_TexCoord[0] = vec4(0.0);   // replaced across each sprite by GL
}

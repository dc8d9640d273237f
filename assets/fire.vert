#version 110
// Fire: each sprite is a tongue of flame that is born at its start position,
// rises, drifts towards the centre line and sways, cooling from white-yellow
// through orange to dark red before it is reborn.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // per-particle randomness: drift and rise speed
attribute float Start;   // first birth, seconds

const float Life = 2.0;            // seconds from birth to rebirth
const float CentreX = -0.25;       // middle of the starting grid, world units

void main()
{
    float age = time - Start;
    if (age < 0.0) {
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);   // beyond the far plane: unborn
        gl_FrontColor = vec4(0.0);
        return;
    }
    float t = mod(age, Life) / Life;   // 0 at birth, 1 at death

    vec3 position = gl_Vertex.xyz;
    // Rise, faster for some, and pull in towards the centre: a flame shape.
    position.y += t * (1.4 + 0.12 * abs(Vel.y));
    position.x = mix(position.x, CentreX, 0.7 * t) + 0.08 * Vel.x * t;
    // Sway grows with height, like a flame in a draught.
    position.x += 0.12 * t * sin(time * 3.1 + Start * 7.0);
    position.z += 0.05 * Vel.z * t;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    vec3 hot = vec3(1.0, 0.95, 0.75);
    vec3 flame = vec3(1.0, 0.45, 0.08);
    vec3 ember = vec3(0.6, 0.05, 0.02);
    vec3 color = mix(hot, flame, smoothstep(0.0, 0.35, t));
    color = mix(color, ember, smoothstep(0.35, 0.9, t));

    // Quick, irregular brightness changes: two waves out of step.
    float flicker = 0.8 + 0.2 * sin(time * 23.0 + Start * 17.0) * sin(time * 11.0 + Vel.x * 5.0);
    float alpha = 0.35 * (1.0 - t) * flicker;
    gl_FrontColor = vec4(color, alpha);
    gl_TexCoord[0] = vec4(0.0);   // replaced across each sprite by GL
}

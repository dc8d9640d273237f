#version 110
// Glitter: every flake bursts from its start position at its start time,
// flies along its velocity under gravity, and relaunches when its flight is
// over, so the fountain never runs dry. Each flake spins as it flies and
// catches the light now and then: a brief white glint over its own colour.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // launch velocity, world units per second
attribute float Start;   // first launch, seconds

const float Flight = 0.9;                      // seconds from launch to relaunch
const vec3 Gravity = vec3(0.0, -5.0, 0.0);     // world units per second squared

void main()
{
    float age = time - Start;
    if (age < 0.0) {
        // Not launched yet: a point beyond the far plane is clipped away.
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
        gl_FrontColor = vec4(0.0);
        return;
    }
    float t = mod(age, Flight);
    vec3 position = gl_Vertex.xyz + Vel * t + 0.5 * Gravity * t * t;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    // Every flake spins at its own rate from its own angle, so neighbours
    // glint at different moments. The glint is the sharp peak of the spin.
    float seed = fract(sin(dot(Vel, vec3(12.9898, 78.233, 37.719)) + Start) * 43758.5453);
    float spin = 0.5 + 0.5 * sin(time * (8.0 + 14.0 * seed) + 6.2832 * seed);
    float glint = pow(spin, 30.0);
    vec3 color = gl_Color.rgb * (0.5 + 1.3 * spin);
    color = mix(color, vec3(1.0, 0.97, 0.9), glint);
    // Flakes dim a little as they fall away.
    gl_FrontColor = vec4(color * (1.0 - 0.5 * t / Flight), 1.0);
}

#version 110
// Glitter: every particle bursts from its start position at its start time,
// flies along its velocity under gravity, and relaunches when its flight is
// over, so the fountain never runs dry. Colour comes from the particle's own
// colour, made to twinkle with a per-particle rhythm and the odd white flash.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // launch velocity, world units per second
attribute float Start;   // first launch, seconds

const float Flight = 1.0;                      // seconds from launch to relaunch
const vec3 Gravity = vec3(0.0, -4.0, 0.0);     // world units per second squared

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

    // A phase of its own per particle, so neighbours do not blink together.
    float phase = dot(Vel, vec3(12.9898, 78.233, 37.719)) + Start * 43.7;
    float twinkle = 0.5 + 0.5 * sin(time * 17.0 + phase);
    float flash = pow(twinkle, 40.0);
    float fade = 1.0 - 0.6 * t / Flight;
    vec3 color = gl_Color.rgb * (0.7 + 0.9 * twinkle) + vec3(0.9 * flash);
    gl_FrontColor = vec4(color * fade, 1.0);
}

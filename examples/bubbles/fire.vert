#version 110
// Bubbles: soap bubbles of many sizes rise from the bottom of the view,
// wobbling on little spirals as they go, their skins shimmering through the
// colours of the rainbow, and pop near the top. Bigger bubbles rise faster.
// A popped bubble starts again at the bottom.
//
// Knobs, to turn while it runs ("k" shows them): RiseSpeed; Shimmer, how
// fast the colours run round; and, in fire.frag, Light.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // per-bubble random numbers (read below as -1..1 or 0..1)
attribute float Start;   // per-bubble random number, 0..2

varying float size;      // 0..1: the bubble's diameter as a share of its sprite

const float Bottom = -2.3;      // bubbles appear here, above the status line
const float Top = 2.7;          // and pop by here
// World units/s of the smallest bubbles.
uniform float RiseSpeed;  // @slider 0.05 1.5 = 0.5
// How fast the colours run round the rainbow, turns per second.
uniform float Shimmer;    // @slider 0.0 1.0 = 0.15

void main()
{
    // Size from one random number, squared so that small bubbles are the
    // most common; from 16 to 50 pixels across.
    float big = abs(Vel.z) - 3.0;
    size = mix(0.32, 1.0, big * big);

    // Rising: a steady speed that grows with size, wrapped with mod() into
    // the height of the view; Vel.y says how far up a bubble is at time 0,
    // so they are spread out from the first frame.
    float span = Top - Bottom;
    float speed = RiseSpeed * (1.0 + 1.2 * size);
    float risen = mod((Vel.y + 5.0) / 10.0 * span + speed * time, span);
    vec3 position = vec3(2.6 * Vel.x, Bottom + risen, 2.0 * (Start - 1.0));

    // Wobbling: a small circle in x and z, so each bubble climbs a spiral,
    // wider for big bubbles, at its own rate and phase from its colour.
    float rate = 2.0 + 2.0 * gl_Color.g / 0.3;
    float phase = 6.2831853 * gl_Color.r / 0.2;
    float reach = 0.05 + 0.1 * size;
    position.x += reach * sin(rate * time + phase);
    position.z += reach * cos(rate * time + phase);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    // The skin's colour runs round the rainbow: three cosines a third of a
    // turn apart give the red, green and blue of a hue that moves with time
    // and height, so colours seem to swirl over the rising bubbles. Keeping
    // them well above 0 makes them pale, as a soap film's are.
    float hue = Shimmer * time + 0.3 * position.y + gl_Color.b;
    vec3 rainbow = 0.65 + 0.35 * cos(6.2831853 * (hue + vec3(0.0, 0.33, 0.67)));
    // Fade in at the bottom; in the last stretch before the top the bubble
    // thins and pops.
    float alpha = 0.75 * smoothstep(0.0, 0.3, risen) * (1.0 - smoothstep(span - 0.25, span, risen));
    gl_FrontColor = vec4(rainbow, alpha);
    gl_TexCoord[0] = vec4(0.0);   // replaced across each sprite by GL
}

#version 110
// Smoke: a plume rising from a smouldering source low in the view. Each puff
// is born small and dense, rises quickly while it is hot and then ever more
// slowly, spreads out and grows as it goes, drifts with a light breeze and
// thins away. A sway that travels up the column makes the plume curl.
//
// Knobs, to turn while it runs ("k" shows them): Spread, Breeze and Grey,
// the colour the smoke turns as it cools.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // per-puff random numbers (read below as -1..1 or 0..1)
attribute float Start;   // per-puff random number, 0..2: its place in the cycle

varying float grow;      // 0..1: how much of the sprite the puff fills
varying vec2 spin;       // cosine and sine of the puff's turn

const vec3 Source = vec3(0.4, -2.2, 0.0);  // where the smoke comes from, above the status line
const float Life = 7.0;         // seconds from birth to vanishing
const float Rise = 4.6;         // height a puff climbs in its life, world units
// How far puffs wander sideways by the end, world units.
uniform float Spread;    // @slider 0.0 3.0 = 1.1
// Sideways drift to the left by the end, world units.
uniform float Breeze;    // @slider -2.0 2.0 = 0.9
// The smoke's colour once it has cooled; warmer near the source.
uniform vec3 Grey;       // @color = 0.55 0.58 0.62

void main()
{
    // Every puff repeats the same life for ever; Start spreads the births
    // evenly over a lifetime, so the plume flows steadily with no gaps.
    float t = mod(time + Start * 0.5 * Life, Life) / Life;   // 0 at birth .. 1 at the end

    // Rising: fast at first and slowing as the smoke cools (a power below 1).
    float height = Rise * pow(t, 0.7);
    // Spreading: each puff heads off in its own sideways direction, further
    // the older it is, so the plume widens into a cone.
    vec2 sideways = vec2(Vel.x, (abs(Vel.z) - 3.5) * 2.0) * Spread * t;
    vec3 position = Source + vec3(sideways.x, height, sideways.y);
    // The breeze bends the top of the plume over; the sway is a wave that
    // runs up the column (its phase depends on height minus time), so the
    // plume curls like a ribbon rather than swinging as one.
    position.x -= Breeze * t * t;
    position.x += 0.35 * t * sin(1.6 * height - 1.1 * time);
    position.z += 0.25 * t * cos(1.3 * height - 0.8 * time);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    // The point size is fixed, so the fragment shader draws the puff
    // smaller inside its sprite when it is young: from a third of the sprite
    // at birth to all of it. It also turns each puff slowly, either way.
    grow = mix(0.35, 1.0, sqrt(t));
    float turn = (Vel.y / 5.0) * 2.0 * t + 6.2831853 * fract(Start * 3.7);
    spin = vec2(cos(turn), sin(turn));

    // Grey, a little warmer near the source. Young puffs crowd together and
    // add up, so they start thin; each fades in quickly at birth and thins
    // away steadily with age.
    vec3 grey = mix(vec3(0.75, 0.7, 0.66), Grey, smoothstep(0.0, 0.4, t));
    grey *= 0.85 + gl_Color.b * 0.3;
    float alpha = mix(0.14, 0.3, smoothstep(0.0, 0.3, t)) * smoothstep(0.0, 0.06, t) * (1.0 - t);
    gl_FrontColor = vec4(grey, alpha);
    gl_TexCoord[0] = vec4(0.0);   // replaced across each sprite by GL
}

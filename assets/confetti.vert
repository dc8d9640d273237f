#version 110
// Glitter: a fountain of metallic flakes. The starting grid is laid flat as a
// small launch pad low in the view; every flake is thrown up and out from its
// place on the pad, slowed by the air, arcs over and drifts down, fluttering,
// until it reaches the floor and is thrown again. Each flake spins as it
// flies: mostly it shows its own dim metallic colour, and for a moment each
// turn, when its face swings round to the light, it flashes almost white.
//
// Knobs, to turn while it runs ("k" shows them): Launch, how fast the flakes
// are thrown; Spread, how far from the vertical; Gold, the colour of the
// commonest flakes.

uniform float time;      // seconds since the program started
// The slowest launch speed, world units/s (the fastest is 0.8 more).
uniform float Launch;    // @slider 2.0 8.0 = 6.0
// The widest tilt from the vertical, radians.
uniform float Spread;    // @slider 0.0 0.8 = 0.28
uniform vec3 Gold;       // @color = 1.0 0.7 0.15
attribute vec3 Vel;      // per-flake randomness: launch speed and direction
attribute float Start;   // per-flake randomness, uniform over 0..2 s

const vec3 GridCentre = vec3(-0.25, -0.25, -0.25); // middle of the starting grid
const float PadWidth = 0.4;     // side of the launch pad, world units
const float PadHeight = -2.3;   // height of the pad, world units
const float FloorHeight = -2.8; // flakes fade out between pad and floor

// Air drag proportional to speed: dv/dt = g - K v. A flake leaves fast,
// loses much of its speed within a second or two and sinks ever closer to
// the terminal speed g/K, which is what makes glitter hang in the air
// instead of dropping like a stone.
const float K = 0.5;            // drag rate, 1/s
const float Sink = 6.0;         // terminal falling speed g/K, world units/s

const float Prewarm = 0.8;      // the fountain was turned on this long before the window opened

// Hidden: a point beyond the far plane is clipped away.
void hide()
{
    gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
    gl_FrontColor = vec4(0.0);
}

void main()
{
    // Per-flake random numbers in 0..1, from the seeded values.
    float speed01 = abs(Vel.y) / 5.0;       // launch speed
    float angle = 3.14159265 * Vel.x;       // direction round the vertical
    float spread01 = abs(Vel.z) - 3.0;      // how far from the vertical
    float phase01 = Start / 2.0;            // place in the launch cycle
    float tone01 = gl_Color.r / 0.2;        // brightness within its colour
    float spin01 = gl_Color.g / 0.3;        // spin rate and flutter

    // Launch velocity: Launch..Launch + 0.8 units/s (6.0..6.8 as shipped),
    // tilted from the vertical by up to Spread (0.28 rad as shipped) towards
    // a random side, so the flakes fill a round cone that can be seen from
    // any side. The tilt grows as the square root of a uniform
    // number, so the sideways reach does too and the flakes land evenly over
    // a disc rather than crowding its middle. A flake tilted further climbs
    // less high and lands further out, which rounds off the top of the cloud.
    float speed = Launch + 0.8 * speed01;
    float tilt = Spread * sqrt(spread01);
    float up = speed * cos(tilt);
    float side = speed * sin(tilt);
    vec3 v0 = vec3(side * cos(angle), up, side * sin(angle));

    // Flight time from the pad to the floor. The climb to the apex lasts
    // ln(1 + up/Sink)/K and rises up/K - Sink/K ln(1 + up/Sink). Falling from
    // rest, a flake has dropped d(s) = Sink s - Sink/K (1 - e^(-Ks)) after s
    // seconds; two Newton steps from the late guess d/Sink + 1/K solve
    // d(s) = drop to well under a millisecond (d is convex, so Newton from
    // above never overshoots).
    float climb = log(1.0 + up / Sink) / K;
    float apex = up / K - Sink / K * log(1.0 + up / Sink);
    float drop = apex + PadHeight - FloorHeight;
    float s = drop / Sink + 1.0 / K;
    float e = exp(-K * s);
    s -= (Sink * s - Sink / K * (1.0 - e) - drop) / (Sink * (1.0 - e));
    e = exp(-K * s);
    s -= (Sink * s - Sink / K * (1.0 - e) - drop) / (Sink * (1.0 - e));
    float flight = climb + s;

    // Launches repeat every flight, each flake at its own phase of the cycle:
    // with the phases uniform the fountain runs steadily, without pulses.
    float age = time + Prewarm - phase01 * flight;
    if (age < 0.0) {
        hide();   // not thrown yet
        return;
    }
    float t = mod(age, flight);

    // Closed form of the drag law: v = vT + (v0 - vT) e^(-Kt), so
    // p = p0 + vT t + (v0 - vT)(1 - e^(-Kt))/K, with vT = (0, -Sink, 0).
    float slowed = 1.0 - exp(-K * t);
    vec3 terminal = vec3(0.0, -Sink, 0.0);
    vec3 pad = (gl_Vertex.xyz - GridCentre) * (PadWidth / 0.99);
    vec3 position = vec3(pad.x, PadHeight, pad.z) + terminal * t + (v0 - terminal) * slowed / K;

    // Fade out below the pad on the way to the floor, clear of the status
    // line. There is no blending, so a faded flake is hidden rather than
    // drawn black: a black point would still write depth and cover what
    // lies behind it.
    float fade = clamp((position.y - FloorHeight) / (PadHeight - FloorHeight), 0.0, 1.0);
    if (fade <= 0.0) {
        hide();
        return;
    }

    // Spin: each flake turns at its own rate and sense. Once the air has
    // slowed it, it flutters sideways in step with its turning.
    float spinSense = sign(Vel.y + 1e-6);
    float turn = spinSense * (5.0 + 8.0 * spin01) * time + 6.2831853 * fract(Start * 7.31);
    float flutter = 0.08 * slowed * slowed;
    position.x += flutter * sin(turn);
    position.z += flutter * cos(0.7 * turn);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    // Palette: golds and silvers most often, then rose, blue and violet.
    float pick = gl_Color.b;
    vec3 metal = Gold;
    metal = mix(metal, vec3(0.78, 0.84, 0.95), step(0.3, pick));      // silver
    metal = mix(metal, vec3(1.0, 0.25, 0.6), step(0.55, pick));       // rose
    metal = mix(metal, vec3(0.2, 0.5, 1.0), step(0.72, pick));        // blue
    metal = mix(metal, vec3(0.6, 0.25, 1.0), step(0.88, pick));       // violet

    // Facing: how squarely the flake's face meets the light as it turns.
    // Its colour swells and dims with it, from dark to full; the sharp peak
    // of a high power is the glint, so at any moment only a few flakes in a
    // hundred flash.
    float facing = cos(turn);
    float lit = 0.5 + 0.5 * facing;
    float shade = (0.2 + 0.8 * lit * lit) * (0.75 + 0.25 * tone01);
    shade *= mix(1.0, 0.45, smoothstep(climb, flight, t));   // the rain dims as it falls
    // cos^60 stays above one half only within 0.15 rad of facing the light,
    // about one turn in twenty. The glint stops just short of pure white,
    // which is kept for the axes and the text.
    float glint = pow(max(facing, 0.0), 60.0);
    vec3 color = mix(metal * shade, vec3(1.0, 0.97, 0.93), glint);
    gl_FrontColor = vec4(color * fade, 1.0);
}

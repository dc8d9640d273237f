#version 110
// Fireworks: eight mortars along the ground take turns to fire. A shell climbs
// on a short glowing trail, slowing as it rises, and bursts into a ball of
// streaking stars that the air slows and gravity pulls down while they fade.
// Every burst of a mortar has its own place, height, size and colours.
//
// Each star is drawn as a streak by four neighbouring particles: they fly
// the same path, each a few hundredths of a second behind the one before,
// like the trail the eye keeps of a bright moving spark.
//
// Knobs, to turn while it runs ("k" shows them): Drag, how quickly the air
// slows the stars; Sink, how fast they then fall; StreakStep, how long
// their streaks are.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // per-particle random numbers: the trail's scatter
attribute float Start;   // per-particle random number, 0..2: picks the trail

const float Mortars = 8.0;      // mortars along the ground, firing in turn
const float Period = 3.0;       // seconds between two shells of a mortar
const float Climb = 0.9;        // seconds from launch to burst
const float Life = 2.0;         // seconds a star burns, at most: gone before
                                // the mortar's next shot takes its particles
const float Ground = -2.4;      // launch height, above the status line
// Air drag rate, 1/s.
uniform float Drag;        // @slider 0.2 4.0 = 1.4
// Terminal falling speed of a star, world units/s.
uniform float Sink;        // @slider 0.0 3.0 = 0.55
// Seconds between the points of a streak.
uniform float StreakStep;  // @slider 0.0 0.1 = 0.035

// A pseudo-random number in 0..1 from any number: the same n gives the same
// answer on every vertex and every frame, so it can stand for a choice made
// once per shell or per star.
float hash(float n)
{
    return fract(sin(n * 12.9898) * 43758.5453);
}

// Hidden: a point beyond the far plane is clipped away.
void hide()
{
    gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
    gl_FrontColor = vec4(0.0);
}

// Six firework colours, picked by a number in 0..1.
vec3 palette(float pick)
{
    vec3 color = vec3(1.0, 0.25, 0.2);                                // red
    color = mix(color, vec3(1.0, 0.75, 0.3), step(1.0 / 6.0, pick));  // gold
    color = mix(color, vec3(0.35, 1.0, 0.4), step(2.0 / 6.0, pick));  // green
    color = mix(color, vec3(0.35, 0.55, 1.0), step(3.0 / 6.0, pick)); // blue
    color = mix(color, vec3(0.85, 0.4, 1.0), step(4.0 / 6.0, pick));  // violet
    color = mix(color, vec3(0.9, 0.92, 1.0), step(5.0 / 6.0, pick));  // silver
    return color;
}

void main()
{
    // gl_Vertex is a point of a 100 x 100 grid, so it numbers the particles
    // 0..9999. Four in a row make one star's streak; the stars are dealt out
    // to the mortars in turn.
    float row = floor((gl_Vertex.x + 0.75) * 100.0);
    float column = floor((gl_Vertex.y + 0.75) * 100.0);
    float number = row * 100.0 + column;
    float star = floor(number / 4.0);
    float place = number - 4.0 * star;          // 0 = head of the streak .. 3 = tail
    float mortar = mod(star, Mortars);

    // The mortars fire in turn, Period / Mortars seconds apart; "shell" counts
    // a mortar's shots, so everything chosen from it changes at each shot.
    float clock = time + Period * (mortar + 0.5) / Mortars;
    float shell = floor(clock / Period);
    float t = clock - shell * Period;           // seconds since this shot
    float seed = mortar * 31.0 + shell * 7.0;

    vec3 launch = vec3(mix(-2.2, 2.2, (mortar + 0.5) / Mortars) + 0.4 * (hash(seed) - 0.5),
                       Ground, 0.6 * (hash(seed + 1.0) - 0.5));
    vec3 burst = vec3(launch.x + 0.6 * (hash(seed + 2.0) - 0.5), mix(0.3, 1.6, hash(seed + 3.0)), launch.z);

    if (t < Climb) {
        // The climb: one particle in eight draws the trail (Start is uniform
        // over 0..2), each where the shell was "behind" seconds ago, the
        // later the dimmer. The height eases out (1 - (1 - s)^2), so the
        // shell slows towards the top.
        if (Start > 0.25) {
            hide();
            return;
        }
        float behind = Start;                   // 0..0.25 s
        float s = max(t - behind, 0.0) / Climb;
        vec3 position = mix(launch, burst, vec3(s, 1.0 - (1.0 - s) * (1.0 - s), s));
        position.xz += 0.1 * Vel.xz * behind;   // sparks scatter behind it
        gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);
        gl_FrontColor = vec4(vec3(1.0, 0.7, 0.35) * (1.0 - 3.5 * behind), 1.0);
        return;
    }

    // The burst: each star leaves in its own direction, spread evenly over a
    // sphere (a uniform height and a uniform angle round the vertical give an
    // even spread), all at nearly the shell's speed, so the stars keep to a
    // round shell as it grows.
    float cosine = 2.0 * hash(star + seed) - 1.0;
    float around = 6.2831853 * hash(star * 1.37 + seed);
    vec3 direction = vec3(sqrt(1.0 - cosine * cosine) * vec2(cos(around), sin(around)), cosine);
    float speed = mix(1.3, 2.0, hash(seed + 4.0)) * (0.93 + 0.07 * hash(star + 0.5));

    // Each point of the streak is where its star was a little earlier.
    float age = t - Climb - place * StreakStep;
    float life = Life * (0.75 + 0.25 * hash(star + 0.25));
    if (age < 0.0 || age > life) {
        hide();
        return;
    }
    // Drag proportional to speed, at the rate K = Drag, gives the velocity
    // v = vT + (v0 - vT) e^(-Kt) and, summed over time, the position below:
    // the star flies out fast, slows within a second and then sinks at the
    // terminal velocity vT.
    vec3 terminal = vec3(0.0, -Sink, 0.0);
    vec3 position = burst + terminal * age + (direction * speed - terminal) * (1.0 - exp(-Drag * age)) / Drag;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    // Two colours a shell, shared out among its stars at random. A white-hot
    // flash at the burst, then the shell's colours, then a fade to nothing
    // (slow at first: the square root), with a crackle as the stars burn
    // out. The tail of a streak is dimmer than its head.
    vec3 color = palette(hash(seed + 5.0));
    color = mix(color, palette(hash(seed + 6.0)), step(0.55, hash(star + 0.75)));
    color = mix(vec3(1.0, 0.95, 0.85), color, smoothstep(0.0, 0.25, age));
    float fade = 1.0 - age / life;
    float crackle = mix(1.0, step(0.5, hash(star + floor(time * 20.0))), smoothstep(0.4, 0.1, fade));
    float brightness = sqrt(fade) * (1.0 - 0.22 * place) * crackle;
    if (brightness < 0.04) {
        hide();
        return;
    }
    gl_FrontColor = vec4(color * brightness, 1.0);
}

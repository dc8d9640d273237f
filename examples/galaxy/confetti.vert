#version 110
// Galaxy: a spiral galaxy of 10,000 stars, each on its own orbit round the
// centre. Inner stars go round faster than outer ones (differential
// rotation), as in a real galaxy, yet the two spiral arms keep their shape:
// every star runs on an ellipse, and each ellipse is turned a little further
// than the one inside it. Where the ellipses crowd together, stars crowd
// together, and those crowded places line up into arms, a pattern that the
// stars flow through rather than one they carry along.
//
// Knobs, to turn while it runs ("k" shows them): Flattening, Twist and
// Speed.

uniform float time;      // seconds since the program started
attribute vec3 Vel;      // per-star random numbers (read below as 0..1 values)
attribute float Start;   // per-star random number, 0..2

const float Radius = 2.6;       // the outermost orbit, world units
// Minor over major axis of each ellipse.
uniform float Flattening;  // @slider 0.2 1.0 = 0.62
// Radians each ellipse is turned per unit of size.
uniform float Twist;       // @slider 0.0 5.0 = 2.3
// Orbital speed, nearly the same for every star.
uniform float Speed;       // @slider 0.0 3.0 = 0.55
const float Pattern = 0.04;     // radians/s at which the arm pattern itself turns
const float Tilt = 0.45;        // radians the disc leans back from facing us
const float BulgeShare = 0.18;  // share of the stars in the round central bulge

void main()
{
    // Random numbers in 0..1 from the seeded values.
    float size01 = (Vel.y + 5.0) / 10.0;       // which orbit
    float phase01 = abs(Vel.z) - 3.0;          // where on it at time 0
    float height = Vel.x;                      // -1..1: above or below the disc
    float kind = Start / 2.0;                  // bulge or disc, and star colour
    float tone = gl_Color.b;                   // brightness

    // Orbit size: the disc thins out towards its edge (more small orbits
    // than large ones); the bulge's stars keep close to the centre.
    bool bulge = kind < BulgeShare;
    float a = bulge ? 0.45 * size01 : mix(0.2, Radius, pow(size01, 1.4));

    // Nearly flat rotation: the same speed at every radius, so the angular
    // speed falls as 1/a and the inner stars lap the outer ones.
    float angle = 6.2831853 * phase01 + Speed * time / (a + 0.15);

    // The star on its ellipse, and the ellipse turned by its size: this is
    // what draws the arms. Each star strays a little from its ellipse, which
    // widens the arms from thin lines into soft bands.
    float stray = 0.16 * sqrt(a) * (gl_Color.r / 0.2 - 0.5);
    vec2 onEllipse = (a + stray) * vec2(cos(angle), Flattening * sin(angle));
    float turn = Twist * a + Pattern * time;
    vec2 inDisc = vec2(cos(turn) * onEllipse.x - sin(turn) * onEllipse.y,
                       sin(turn) * onEllipse.x + cos(turn) * onEllipse.y);

    // Thickness: the cube of a uniform number gathers stars near the plane;
    // the disc is thicker in the middle and the bulge is a squashed ball.
    float thickness = bulge ? 0.35 * (1.0 - 2.0 * a) + 0.1 : 0.12 * exp(-a);
    vec3 position = vec3(inDisc, thickness * height * height * height);

    // The disc faces us, in x and y. Leaning it back by Tilt (a rotation
    // about the x axis: its top goes away from us) shows it at a slant, as
    // galaxies are mostly seen.
    float c = cos(Tilt), s = sin(Tilt);
    position = vec3(position.x, c * position.y + s * position.z, -s * position.y + c * position.z);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);

    // Colour: old yellow stars in the bulge and inner disc, young blue-white
    // ones further out, and here and there a pink glowing nebula in an arm.
    vec3 old = vec3(1.0, 0.82, 0.55);
    vec3 young = vec3(0.62, 0.75, 1.0);
    vec3 color = mix(old, young, smoothstep(0.3, 1.6, a + 0.4 * (gl_Color.g / 0.3)));
    color = mix(color, vec3(1.0, 0.45, 0.7), step(0.965, kind) * step(0.8, a));
    float brightness = (0.35 + 0.65 * tone * tone) * mix(1.0, 0.7, a / Radius);
    gl_FrontColor = vec4(color * brightness, 1.0);
}

#version 110
// Fireflies: one sprite, two shapes. The sprite's brightness raised to a
// high power leaves a small hard core; the sprite itself, dimmed, is the soft
// halo round it. A flashing firefly's core turns almost white, its halo
// stays green.

uniform sampler2D img;   // the glow sprite, texture unit 0

varying float flash;     // 0 dark .. 1 at the peak of a flash

void main()
{
    float glow = texture2D(img, gl_TexCoord[0].st).r;
    float core = pow(glow, 12.0);
    float halo = 0.35 * glow * glow;
    vec3 color = mix(gl_Color.rgb, vec3(1.0, 1.0, 0.85), core * flash);
    gl_FragColor = vec4(color, gl_Color.a * (core + halo));
}

#version 110
// Comet: tints the glow sprite with the particle's colour. Raising the
// sprite's brightness to a power tightens the glow: a power of 1 would keep the
// whole soft sprite, a higher power leaves only a small bright middle. The
// power grows with the particle's age, so the tail thins towards its end
// although every sprite covers the same 50 x 50 pixels.

uniform sampler2D img;   // the glow sprite, texture unit 0

varying float age01;     // 0 at birth .. 1 when it has faded

void main()
{
    float glow = texture2D(img, gl_TexCoord[0].st).r;
    glow = pow(glow, 1.5 + 4.0 * age01);
    gl_FragColor = vec4(gl_Color.rgb, gl_Color.a * glow);
}

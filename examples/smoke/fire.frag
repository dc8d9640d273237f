#version 110
// Smoke: draws each puff with the sprite turned and shrunk to the puff's
// size. The point sprite always covers the same 50 x 50 pixels, so a puff
// grows by using more of it: its texture coordinates are turned about the
// middle and divided by the size, and what falls outside the sprite is
// left empty. With the additive blend, alpha sets how much smoke each puff
// adds: the sprite's brightness times the puff's thickness.

uniform sampler2D img;   // the smoke puff, texture unit 0

varying float grow;      // 0..1: how much of the sprite the puff fills
varying vec2 spin;       // cosine and sine of the puff's turn

void main()
{
    vec2 c = gl_TexCoord[0].st - 0.5;
    c = vec2(spin.x * c.x - spin.y * c.y, spin.y * c.x + spin.x * c.y) / grow + 0.5;
    // Outside 0..1 the texture would repeat: mask it off.
    vec2 inside = step(0.0, c) * step(c, vec2(1.0));
    float density = texture2D(img, c).r * inside.x * inside.y;
    gl_FragColor = vec4(gl_Color.rgb, gl_Color.a * density);
}

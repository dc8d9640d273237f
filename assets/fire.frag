#version 110
// Fire: tints the glow sprite with the flame's colour. Alpha follows the
// sprite's brightness, so with the additive blend the dark rim adds nothing
// and the sprites melt into one another. Its knob, Glow, sets how much each
// sprite adds.

uniform sampler2D img;   // the glow sprite, texture unit 0
// How strongly each sprite glows: 1 as drawn, 0 not at all.
uniform float Glow;      // @slider 0.0 3.0 = 1.0

void main()
{
    vec3 sprite = texture2D(img, gl_TexCoord[0].st).rgb;
    float glow = Glow * dot(sprite, vec3(0.299, 0.587, 0.114));
    gl_FragColor = vec4(gl_Color.rgb * sprite, gl_Color.a * glow);
}

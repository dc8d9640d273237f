#version 110
// Bubbles: no image at all. The fragment shader draws each bubble from its
// texture coordinates, which run from 0 to 1 across the sprite: the distance
// from the middle says where a pixel is on the bubble. A soap bubble is
// almost clear in the middle and bright at its rim, where we look through
// the skin edgeways, with a white highlight where it reflects the light.
// Its knob: Light, the colour of the light they are seen in.

// The light that shines on the bubbles: white, as they come.
uniform vec3 Light;      // @color

varying float size;      // 0..1: the bubble's diameter as a share of its sprite

void main()
{
    // Where in the bubble: 0 at the middle, 1 at the rim.
    vec2 p = (gl_TexCoord[0].st - 0.5) * 2.0 / size;
    float d = length(p);
    float skin = 0.08 + 0.9 * smoothstep(0.6, 0.95, d);
    float edge = 1.0 - smoothstep(0.95, 1.0, d);   // nothing outside the rim
    // A soft highlight up and to the left (t runs down the sprite).
    float highlight = 1.0 - smoothstep(0.0, 0.25, length(p - vec2(-0.4, -0.4)));
    vec3 color = mix(gl_Color.rgb, vec3(1.0), highlight) * Light;
    gl_FragColor = vec4(color, gl_Color.a * edge * min(skin + highlight, 1.0));
}

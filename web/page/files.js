// The four files the program reads, in the order it reads them, and what each
// one changes: the mode whose picture it shows in, and the build it takes part
// in (the program numbers its builds: Glitter's program, Fire's, the sprite).
export const AssetFiles = ['confetti.vert', 'fire.vert', 'fire.frag', 'particle.bmp'];
export const ShaderFiles = AssetFiles.slice(0, 3);
export const Sprite = AssetFiles[3];
export const Modes = { Glitter: 0, Fire: 1 };
// Glitter's program is confetti.vert alone, Fire's the pair and the sprite.
export const ModeOf = { 'confetti.vert': Modes.Glitter, 'fire.vert': Modes.Fire, 'fire.frag': Modes.Fire,
                        'particle.bmp': Modes.Fire };
// The files of each build, by the program's number for it.
export const BuiltFrom = [['confetti.vert'], ['fire.vert', 'fire.frag'], [Sprite]];

// The files the program reads, from the one list of them (app/asset_files.json,
// which the build and the server read too): their names in the order it
// reads them, the shaders among them, the sprite, the modes by name
// ({ Glitter: 0, Fire: 1 }), the mode whose picture each file changes, and
// the files of each of the program's builds, as it numbers them: a program
// per mode, then the sprite.
import FileList from '../../app/asset_files.json' with { type: 'json' };

export const AssetFiles = FileList.files.map(({ name }) => name);
export const ShaderFiles = FileList.files.filter(({ role }) => role !== 'sprite').map(({ name }) => name);
export const Sprite = FileList.files.find(({ role }) => role === 'sprite').name;
export const Modes = Object.fromEntries(FileList.modes.map((name, mode) => [name, mode]));
export const ModeOf = Object.fromEntries(FileList.files.map(({ name, mode }) => [name, Modes[mode]]));
export const BuiltFrom = [...FileList.modes.map((mode) => FileList.files.filter((file) => file.mode === mode &&
                                                                               file.role !== 'sprite').map(({ name }) => name)),
                          [Sprite]];

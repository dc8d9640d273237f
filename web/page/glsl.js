// GLSL 1.10 for the editor: its words, comments, numbers and preprocessor
// lines, coloured by the theme's tags. A stream language: the shaders are
// short, and this is all the highlighting they need.
import { StreamLanguage } from '@codemirror/language';

const words = (text) => new Set(text.split(' '));
const Keywords = words('attribute const uniform varying break continue discard return for while do if else ' +
                       'struct in out inout true false');
const Types = words('float int bool void vec2 vec3 vec4 ivec2 ivec3 ivec4 bvec2 bvec3 bvec4 mat2 mat3 mat4 ' +
                    'sampler1D sampler2D sampler3D samplerCube sampler1DShadow sampler2DShadow');
const Builtins = words('radians degrees sin cos tan asin acos atan pow exp log exp2 log2 sqrt inversesqrt abs sign ' +
                       'floor ceil fract mod min max clamp mix step smoothstep length distance dot cross normalize ' +
                       'ftransform faceforward reflect refract matrixCompMult lessThan lessThanEqual greaterThan ' +
                       'greaterThanEqual equal notEqual any all not texture1D texture2D texture3D textureCube ' +
                       'texture2DProj texture2DLod dFdx dFdy fwidth noise1 noise2 noise3 noise4');

// The rest of a block comment, from where the stream is, across lines.
function blockComment(stream, state) {
  state.inComment = !stream.skipTo('*/');
  if (state.inComment) stream.skipToEnd();
  else stream.match('*/');
  return 'comment';
}

function token(stream, state) {
  if (state.inComment) return blockComment(stream, state);
  if (stream.eatSpace()) return null;
  if (stream.sol() && stream.match(/^#\s*\w+/)) {
    stream.skipToEnd();
    return 'meta';
  }
  if (stream.match('//')) {
    stream.skipToEnd();
    return 'comment';
  }
  if (stream.match('/*')) return blockComment(stream, state);
  if (stream.match(/^(\d+\.?\d*|\.\d+)(e[+-]?\d+)?/i)) return 'number';
  const word = stream.match(/^[A-Za-z_]\w*/);
  if (!word) {
    stream.next();
    return null;
  }
  if (Keywords.has(word[0])) return 'keyword';
  if (Types.has(word[0])) return 'typeName';
  if (Builtins.has(word[0])) return 'variableName.standard';
  return word[0].startsWith('gl_') ? 'variableName.special' : 'variableName';
}

export const glsl = StreamLanguage.define({
  name: 'glsl',
  startState: () => ({ inComment: false }),
  token,
  languageData: { commentTokens: { line: '//', block: { open: '/*', close: '*/' } } },
});

// Knob values written into a shader's own text: the "= VALUE" of a knob's
// annotation replaced, or added, on the line that declares its uniform, so
// that the file starts the knob where the user left it. Lines are read as the
// program reads them (gl/knob_annotations.cpp): the first "//" outside block
// comments, "@slider" or "@color" first in it, on a line that declares one
// uniform alone, a precision such as highp allowed.

const Declaration = /^\s*uniform\s+(?:(?:lowp|mediump|highp)\s+)?(\w+)\s+(\w+)\s*;\s*$/;
const Annotation = /^\/\/[ \t\r]*@(slider|color)\b/;

// A value as the program writes numbers: six significant digits at most.
export const formatKnobNumber = (value) => String(Number(value.toPrecision(6)));

// Where the "//" comment of each line starts, outside block comments; -1
// for a line without one.
function commentStarts(lines) {
  let inBlock = false;
  return lines.map((line) => {
    for (let at = 0; at + 1 < line.length; at++) {
      const pair = line.slice(at, at + 2);
      if (inBlock && pair === '*/') [inBlock, at] = [false, at + 1];
      else if (!inBlock && pair === '//') return at;
      else if (!inBlock && pair === '/*') [inBlock, at] = [true, at + 1];
    }
    return -1;
  });
}

// The knob of knobs that line annotates, if any.
function knobOf(line, commentAt, knobs) {
  const annotation = commentAt >= 0 && line.slice(commentAt).match(Annotation);
  const declared = annotation && line.slice(0, commentAt).match(Declaration);
  if (!declared) return null;
  const [, type, name] = declared;
  return knobs.find((knob) => knob.name === name && knob.kind === annotation[1] &&
                              type === (knob.kind === 'slider' ? 'float' : `vec${knob.value.length}`));
}

// line with its annotation ending "= " and the knob's value; a "\r" that
// ended it still does.
function withValue(line, value) {
  const end = line.endsWith('\r') ? '\r' : '';
  const annotated = line.slice(0, line.length - end.length).split('=')[0].trimEnd();
  return `${annotated} = ${value.map(formatKnobNumber).join(' ')}${end}`;
}

// text with the value of each of knobs ({ name, kind, value }) written into
// every line that annotates it: a uniform both shaders of a mode declare
// gets it in each.
export function withKnobValues(text, knobs) {
  const lines = text.split('\n');
  const starts = commentStarts(lines);
  return lines.map((line, i) => {
    const knob = knobOf(line, starts[i], knobs);
    return knob ? withValue(line, knob.value) : line;
  }).join('\n');
}

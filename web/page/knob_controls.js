// The knob controls below the editor: for each knob of the mode on screen, a
// range with its number for a slider, a colour picker for a colour (and a
// range for a vec4's alpha), named as in the shader, and marked when the
// shader does not use it. A turn is set on the program at once, so the next
// frame shows it. "Into the text" writes the turned values of the knobs shown
// into their lines of the editor's text, as an edit of the user's.
import { BuiltFrom, Modes } from './files.js';
import { formatKnobNumber, withKnobValues } from './knob_text.js';
import { isTurned, knobsKnown, knobsOf, listenToKnobs, turnKnob } from './knob_values.js';

const element = (id) => document.getElementById(id);
const ModeNames = Object.keys(Modes);

let shownMode = 0, shownShape = '', rows = [];
let editor = () => null, locked = false;

// A slider's step: a power of ten that cuts its range into 100 to 1000 steps.
const stepOf = ({ min, max }) => 10 ** (Math.floor(Math.log10(max - min)) - 2);
const hexOf = (rgb) => `#${rgb.map((c) => Math.round(c * 255).toString(16).padStart(2, '0')).join('')}`;
// A picker's colour as components rounded to three decimals: as short in
// the text as they can be while the picker reads them back the same.
const rgbOf = (hex) => [1, 3, 5].map((at) => Math.round((parseInt(hex.slice(at, at + 2), 16) / 255) * 1000) / 1000);

function input(type, label, attributes) {
  const made = Object.assign(document.createElement('input'), { type, ...attributes });
  made.setAttribute('aria-label', label);
  return made;
}

// A range from min to max named label, with its number beside it; onTurn
// gets each value it is moved to. show(value) puts a value on both.
function rangeWithNumber(label, { min, max, step }, onTurn) {
  const range = input('range', label, { min, max, step });
  const number = document.createElement('output');
  range.addEventListener('input', () => onTurn(Number(range.value)));
  const show = (value) => {
    range.value = value;
    number.value = formatKnobNumber(value);
  };
  return { controls: [range, number], show };
}

// The controls of a knob: current() gives its values now, turn(values) sets them.
function controlsOf(knob, current, turn) {
  if (knob.kind === 'slider') {
    const slider = rangeWithNumber(knob.name, { ...knob, step: stepOf(knob) }, (value) => turn([value]));
    return { controls: slider.controls, show: (value) => slider.show(value[0]) };
  }
  const picker = input('color', knob.name, {});
  picker.addEventListener('input', () => turn([...rgbOf(picker.value), ...current().slice(3)]));
  const alpha = knob.value.length === 4 &&
    rangeWithNumber(`${knob.name} alpha`, { min: 0, max: 1, step: 0.01 }, (a) => turn([...current().slice(0, 3), a]));
  const show = (value) => {
    picker.value = hexOf(value.slice(0, 3));
    if (alpha) alpha.show(value[3]);
  };
  return { controls: alpha ? [picker, ...alpha.controls] : [picker], show };
}

// A knob's line: its name, its controls, and "unused" if the compiler
// dropped its uniform.
function rowOf(knob, index) {
  const current = () => knobsOf(shownMode)[index].value;
  const { controls, show } = controlsOf(knob, current, (values) => turnKnob(shownMode, index, values));
  const line = Object.assign(document.createElement('div'), { className: knob.unused ? 'knob unused' : 'knob' });
  line.title = `${knob.file}, line ${knob.line}` +
    (knob.unused ? `: the shader does not use ${knob.name}, so turning it changes nothing` : '');
  line.append(Object.assign(document.createElement('span'), { className: 'knob-name', textContent: knob.name }), ...controls);
  if (knob.unused) line.append(Object.assign(document.createElement('span'), { className: 'knob-unused', textContent: 'unused' }));
  return { line, show };
}

// For a mode without knobs: how to make one.
function noKnobs(mode) {
  return Object.assign(document.createElement('p'), {
    className: 'knobs-none',
    textContent: `${ModeNames[mode]}'s shaders declare no knobs. A comment on a uniform's line makes one: ` +
      '// @slider MIN MAX = VALUE on a float, // @color = R G B on a vec3.',
  });
}

// What tells one list of controls from another: they are made anew only
// when it changes, so a control being dragged stays under the pointer.
const shapeOf = (mode, knobs) =>
  JSON.stringify([mode, knobs.map(({ name, kind, min, max, unused, file, line, value }) =>
    [name, kind, min, max, unused, file, line, value.length])]);

// Shows the knobs of the mode on screen with their values now, once the
// program has said what they are.
function showKnobs() {
  const knobs = knobsOf(shownMode);
  element('knobs').hidden = !knobsKnown(shownMode);
  const shape = shapeOf(shownMode, knobs);
  if (shape !== shownShape) {
    shownShape = shape;
    rows = knobs.map(rowOf);
    element('knobs-title').textContent = `Knobs of ${ModeNames[shownMode]}`;
    element('knob-list').replaceChildren(...(rows.length ? rows.map((row) => row.line) : [noKnobs(shownMode)]));
  }
  rows.forEach((row, i) => row.show(knobs[i].value));
  element('knobs-into-text').disabled = locked || !editor() || !knobs.some(isTurned);
}

// Writes the turned values of the knobs shown into their files in the
// editor, and shows the first file it changed.
function writeIntoText() {
  const turned = knobsOf(shownMode).filter(isTurned);
  const changed = BuiltFrom[shownMode].filter((name) => {
    const text = editor().textOf(name), written = withKnobValues(text, turned);
    editor().editText(name, written);
    return written !== text;
  });
  if (changed.length) editor().showFile(changed[0]);
}

// Starts showing the knobs; loadedEditor() gives the editor's module once it
// has loaded (null before).
export function createKnobControls(loadedEditor) {
  editor = loadedEditor;
  listenToKnobs((mode) => mode === shownMode && showKnobs());
  element('knobs-into-text').addEventListener('click', writeIntoText);
  showKnobs();
}

// The mode on screen, as the program says it (Module.onState).
export function showKnobsOfMode(mode) {
  if (mode === shownMode) return;
  shownMode = mode;
  showKnobs();
}

// Whether the editor's text is the user's to change: not while the files
// come from the live folder.
export function lockKnobText(value) {
  locked = value;
  showKnobs();
}

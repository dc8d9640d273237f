// The knobs of both modes as the running program has them, which it tells
// the page (Module.onKnobs) after every build and every turn by its keys,
// with the page's own turns, which are set on the program here for its next
// frame. What the rest of the page reads and sets knob values by: the
// controls, the workspace (which keeps the turned ones with the edits and
// brings them back), Download, and whatever else wants them, such as a link
// that carries them (knobValues, applyKnobValues).
import { BuiltFrom } from './files.js';
import { withKnobValues } from './knob_text.js';

// By mode, in the program's order: { name, kind ('slider' or 'color'), min,
// max, value and default (the file's value), each an array of components,
// unused, file, line }, as app/knobs.cpp KnobsJson writes them.
const lists = [[], []];
const told = [false, false];   // by mode: whether the program has sent its knobs
const listeners = [];
let program = null;         // the running program's handle; null once it has ended
let bringingBack = null;    // values being brought back, until settleKnobs()

export const knobsOf = (mode) => lists[mode];
export const knobsKnown = (mode) => told[mode];
// listener(mode) is called after every change of mode's knobs or values.
export const listenToKnobs = (listener) => listeners.push(listener);
const tell = (mode) => listeners.forEach((listener) => listener(mode));

export function attachKnobs(runningProgram) {
  program = runningProgram;
}

const sameNumbers = (a, b) => a.length === b.length && a.every((number, i) => number === b[i]);
export const isTurned = (knob) => !sameNumbers(knob.value, knob.default);
// Whether entry ({ mode, name, kind, min, max, default, value }) holds a value
// for mode's knob: as the program keeps a user's value across a build, only
// while the knob's name, kind, range and file value stay as they were.
const isValueFor = (entry, mode, knob) => entry.mode === mode && entry.name === knob.name && entry.kind === knob.kind &&
  entry.min === knob.min && entry.max === knob.max && sameNumbers(entry.default, knob.default);

// Sets mode's knob number index to values (a number per component), each
// clamped into its range, here and in the program.
function setValues(mode, index, values) {
  const knob = lists[mode][index];
  knob.value = values.map((value) => Math.min(knob.max, Math.max(knob.min, value)));
  knob.value.forEach((value, component) => program?.setKnob(mode, index, component, value));
}

// Each of mode's knobs that entries hold a value for takes it; with
// othersToFile, every other takes its file's value.
function takeValues(mode, entries, othersToFile) {
  lists[mode].forEach((knob, index) => {
    const value = entries.find((entry) => isValueFor(entry, mode, knob))?.value ?? (othersToFile ? knob.default : null);
    if (value && !sameNumbers(value, knob.value)) setValues(mode, index, value);
  });
}

// What Module.onKnobs(mode, json) says: mode's knobs as the program has them.
export function takeKnobs(mode, json) {
  lists[mode] = JSON.parse(json).knobs;
  told[mode] = true;
  if (bringingBack) takeValues(mode, bringingBack, true);
  tell(mode);
}

// The user turned a control of mode's knob number index to values.
export function turnKnob(mode, index, values) {
  setValues(mode, index, values);
  tell(mode);
}

// Every knob of both modes: [{ mode, name, kind, min, max, default, value }],
// plain data to keep or carry.
export const knobValues = () => lists.flatMap((knobs, mode) => knobs.map(({ name, kind, min, max, default: file, value }) =>
  ({ mode, name, kind, min, max, default: [...file], value: [...value] })));
// Those turned away from their file's value: what the workspace keeps.
export const turnedKnobs = () => knobValues().filter(isTurned);

// Sets every knob that values (as knobValues gives them) hold a value for, as
// the program would keep it: the same name, kind, range and file value. The
// others stay as they are.
export function applyKnobValues(values) {
  lists.forEach((knobs, mode) => {
    takeValues(mode, values, false);
    tell(mode);
  });
}

// Brings back values kept earlier (as turnedKnobs gave them) while the
// program builds the files they were kept with: every knob, now and in each
// list the program sends until settleKnobs(), takes its kept value where
// applyKnobValues would set it, and its file's value otherwise.
export function restoreKnobs(kept) {
  bringingBack = kept;
  lists.forEach((knobs, mode) => {
    takeValues(mode, kept, true);
    tell(mode);
  });
}

export function settleKnobs() {
  bringingBack = null;
}

// files ({ name: text or bytes }) with every turned knob's value written
// into its annotations in the shaders of its mode.
export function filesWithKnobValues(files) {
  const written = { ...files };
  lists.forEach((knobs, mode) => {
    const turned = knobs.filter(isTurned);
    for (const name of BuiltFrom[mode]) if (typeof written[name] === 'string') written[name] = withKnobValues(written[name], turned);
  });
  return written;
}

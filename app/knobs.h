// The knobs of the two programs, by mode: read from their sources at every
// build, handed to the shaders before every draw, and turned by the knob
// panel's keys and by the web page, with no rebuild.
#pragma once

#include "gl/knob_annotations.h"
#include "gl/opengl.h"

// Takes the knobs read from mode's program, which has just built (at start-up
// or on a reload): looks up each uniform's location, once; keeps the values
// the user set wherever the knob is unchanged in the file; prints each
// warning on stderr and shows them over the scene until the next good
// build; and tells the page.
void AdoptKnobs(int mode, GLuint program, const KnobList& fresh);

// The knobs of mode's program in use.
const KnobList& KnobsOf(int mode);

// Sets one component of mode's knob (0 for a slider, 0 to 3 for a colour's
// red, green, blue and alpha) to value, clamped into its range. False if
// there is no such knob or component.
bool SetKnobValue(int mode, int knob, int component, float value);

// Hands every knob's value to program, which is current, if it is the one
// mode's knobs were adopted with: the change of a value shows in the next
// frame. Allocates nothing.
void SetKnobUniforms(int mode, GLuint program);

// mode's knobs and warnings as JSON text, for the page; good until the next
// call.
const char* KnobsJson(int mode);

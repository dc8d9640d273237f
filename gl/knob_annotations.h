// Knobs declared in a shader's own source: a comment on a uniform's line
// turns the uniform into a slider or a colour that the user changes while
// the program runs, without editing the file. Every GLSL compiler and editor
// reads the file unchanged:
//
//     uniform float Wind;    // @slider 0.0 2.0 = 0.5
//     uniform vec3  Ember;   // @color = 1.0 0.45 0.1
//
// "@slider MIN MAX [= VALUE]" goes on a float uniform and starts at MIN
// without a value; "@color [= R G B [A]]" on a vec3 (or a vec4, with alpha),
// each component 0 to 1, white without a value.
#pragma once

inline constexpr int MaxKnobs = 16;          // per program
inline constexpr int MaxKnobWarnings = 8;    // per program, kept for showing
inline constexpr int KnobNameSize = 64;      // bytes of a uniform's name, its NUL included
inline constexpr int KnobFileSize = 256;     // bytes of a file's name kept, its NUL included

enum KnobKind { SliderKnob, ColorKnob };

struct Knob {
    char name[KnobNameSize];   // the uniform's
    KnobKind kind;
    int components;            // 1 for a slider; 3 or 4 for a colour on a vec3 or vec4
    float min, max;            // a slider's range; 0 and 1 for a colour
    float fileValue[4];        // what the file sets, or the start it implies
    float value[4];            // what the shader gets now
    char file[KnobFileSize];   // the source it was read from
    int line;                  // counted from 1
    int location;              // the uniform's in the linked program; -1 if the compiler dropped it
};

// An annotation that makes no knob, and why, for the user to mend.
struct KnobWarning {
    char file[KnobFileSize];
    int line;
    char message[400];         // without file or line
    char quote[256];           // the line, as "  12 | text"
};

// The knobs of one program in the order they appear in its sources, and
// what was wrong with the rest.
struct KnobList {
    Knob knobs[MaxKnobs];
    int count;
    KnobWarning warnings[MaxKnobWarnings];
    int warningCount;          // every warning, also those beyond MaxKnobWarnings
};

// Appends the knobs annotated in source (the text of file) to list, and a
// warning for each annotation that makes none: numbers that are not numbers,
// MIN not below MAX, a value out of range, a uniform of another type, no
// uniform declared alone on the line, a name that is a knob already. Lines
// inside block comments are skipped. Every knob starts at the file's value
// and has no location yet.
void ReadKnobAnnotations(const char* source, const char* file, KnobList* list);

// The user's values survive a rebuild: each knob of fresh that previous has
// too, with the same name, kind, components, range and file value, takes
// previous's value. Where the file's own value changed, the file wins.
void KeepKnobValues(const KnobList& previous, KnobList* fresh);

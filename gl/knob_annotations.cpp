#include "gl/knob_annotations.h"

#include "gl/printf_format.h"
#include "gl/shader_log.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A piece of one line of the source: [begin, end).
struct Span {
    const char* begin;
    const char* end;
};

static const char* SkipSpaces(const char* c, const char* end)
{
    while (c < end && (*c == ' ' || *c == '\t' || *c == '\r'))
        c++;
    return c;
}

// The identifier starting at c; empty if none does.
static Span WordAt(const char* c, const char* end)
{
    const char* after = c;
    while (after < end && (isalnum(static_cast<unsigned char>(*after)) || *after == '_'))
        after++;
    return {c, after};
}

static bool Is(Span span, const char* word)
{
    const size_t length = static_cast<size_t>(span.end - span.begin);
    return strlen(word) == length && strncmp(span.begin, word, length) == 0;
}

static int LengthOf(Span span)
{
    return static_cast<int>(span.end - span.begin);
}

// The uniform the code of a line declares, if it declares one alone:
// "uniform [precision] type name;" and nothing after it.
struct Declaration {
    bool isUniform;   // the line starts with "uniform"
    bool alone;       // and declares one uniform, no array, and nothing else
    Span type, name;
};

static Declaration DeclarationIn(const char* code, const char* end)
{
    Declaration declaration = {};
    const Span keyword = WordAt(SkipSpaces(code, end), end);
    if (!Is(keyword, "uniform"))
        return declaration;
    declaration.isUniform = true;
    Span type = WordAt(SkipSpaces(keyword.end, end), end);
    if (Is(type, "lowp") || Is(type, "mediump") || Is(type, "highp"))
        type = WordAt(SkipSpaces(type.end, end), end);
    const Span name = WordAt(SkipSpaces(type.end, end), end);
    const char* after = SkipSpaces(name.end, end);
    declaration.type = type;
    declaration.name = name;
    declaration.alone = LengthOf(type) > 0 && LengthOf(name) > 0 && after < end && *after == ';' &&
                        SkipSpaces(after + 1, end) == end;
    return declaration;
}

// What is left of an annotation to read, on one line.
struct Cursor {
    const char* at;
    const char* end;
};

static bool Say(char* why, size_t size, const char* format, ...) PRINTF_FORMAT(3, 4);
static bool Say(char* why, size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vsnprintf(why, size, format, args);
    va_end(args);
    return false;
}

// Takes an "=" at the cursor, if there is one.
static bool TakeEquals(Cursor* cursor)
{
    cursor->at = SkipSpaces(cursor->at, cursor->end);
    if (cursor->at == cursor->end || *cursor->at != '=')
        return false;
    cursor->at++;
    return true;
}

static bool AtEnd(Cursor* cursor)
{
    cursor->at = SkipSpaces(cursor->at, cursor->end);
    return cursor->at == cursor->end;
}

// Reads the number at the cursor, named what in the message if there is
// none or it is not one. A number ends at white space, an "=" or the line's
// end; "nan" and "inf" are no use to a knob.
static bool TakeNumber(Cursor* cursor, const char* what, float* value, char* why, size_t size)
{
    if (AtEnd(cursor))
        return Say(why, size, "%s missing", what);
    const char* start = cursor->at;
    while (cursor->at < cursor->end && !strchr(" \t\r=", *cursor->at))
        cursor->at++;
    const int length = static_cast<int>(cursor->at - start);
    char token[32];
    char* after = token;
    if (length < static_cast<int>(sizeof token)) {
        memcpy(token, start, static_cast<size_t>(length));
        token[length] = '\0';
        *value = strtof(token, &after);
    }
    if (after == token || *after || !std::isfinite(*value))
        return Say(why, size, "%s \"%.*s\" is not a number", what, length, start);
    return true;
}

static bool NothingLeft(Cursor* cursor, const char* what, char* why, size_t size)
{
    if (AtEnd(cursor))
        return true;
    return Say(why, size, "unexpected \"%.*s\" after %s", static_cast<int>(cursor->end - cursor->at), cursor->at,
               what);
}

// "MIN MAX [= VALUE]".
static bool ReadSlider(Cursor cursor, Knob* knob, char* why, size_t size)
{
    float min = 0, max = 0;
    if (!TakeNumber(&cursor, "@slider's MIN", &min, why, size) ||
        !TakeNumber(&cursor, "@slider's MAX", &max, why, size))
        return false;
    if (!(min < max))
        return Say(why, size, "@slider's MIN %g is not below its MAX %g", min, max);
    knob->min = min;
    knob->max = max;
    knob->fileValue[0] = min;
    if (TakeEquals(&cursor)) {
        float& value = knob->fileValue[0];
        if (!TakeNumber(&cursor, "@slider's VALUE", &value, why, size))
            return false;
        if (value < min || value > max)
            return Say(why, size, "@slider's VALUE %g is outside %g to %g", value, min, max);
    }
    return NothingLeft(&cursor, "@slider", why, size);
}

// "[= R G B [A]]", as many values as the uniform has components.
static bool ReadColor(Cursor cursor, Knob* knob, char* why, size_t size)
{
    knob->min = 0;
    knob->max = 1;
    for (float& component : knob->fileValue)
        component = 1;
    if (!TakeEquals(&cursor))
        return NothingLeft(&cursor, "@color", why, size);
    int read = 0;
    for (; read < 4 && !AtEnd(&cursor); read++) {
        float& value = knob->fileValue[read];
        if (!TakeNumber(&cursor, "@color's value", &value, why, size))
            return false;
        if (value < 0 || value > 1)
            return Say(why, size, "@color's value %g is outside 0 to 1", value);
    }
    if (read != knob->components || !AtEnd(&cursor))
        return Say(why, size, "@color on a vec%d takes %d values after \"=\"", knob->components, knob->components);
    return true;
}

static bool SameKnob(const Knob& a, const Knob& b)
{
    if (strcmp(a.name, b.name) != 0 || a.kind != b.kind || a.components != b.components || a.min != b.min ||
        a.max != b.max)
        return false;
    for (int i = 0; i < a.components; i++)
        if (a.fileValue[i] != b.fileValue[i])
            return false;
    return true;
}

static const Knob* FindKnob(const KnobList& list, const char* name)
{
    for (int i = 0; i < list.count; i++)
        if (strcmp(list.knobs[i].name, name) == 0)
            return &list.knobs[i];
    return nullptr;
}

// Reads the annotation after a line's code into knob, which has its kind,
// or says in why what keeps it from being one.
static bool ReadKnob(const Declaration& declaration, Cursor annotation, Knob* knob, char* why, size_t size)
{
    const char* kind = knob->kind == SliderKnob ? "@slider" : "@color";
    if (!declaration.isUniform)
        return Say(why, size, "%s is on no uniform: it goes on the line that declares one", kind);
    if (!declaration.alone)
        return Say(why, size, "%s needs one uniform declared alone on its line", kind);
    const Span type = declaration.type, name = declaration.name;
    if (LengthOf(name) >= KnobNameSize)
        return Say(why, size, "%s: the uniform's name is longer than %d characters", kind, KnobNameSize - 1);
    snprintf(knob->name, sizeof knob->name, "%.*s", LengthOf(name), name.begin);
    if (knob->kind == SliderKnob) {
        if (!Is(type, "float"))
            return Say(why, size, "@slider needs a float uniform: %s is a %.*s", knob->name, LengthOf(type), type.begin);
        knob->components = 1;
        return ReadSlider(annotation, knob, why, size);
    }
    if (!Is(type, "vec3") && !Is(type, "vec4"))
        return Say(why, size, "@color needs a vec3 or vec4 uniform: %s is a %.*s", knob->name, LengthOf(type),
                   type.begin);
    knob->components = Is(type, "vec3") ? 3 : 4;
    return ReadColor(annotation, knob, why, size);
}

static void Warn(KnobList* list, const char* source, const char* file, int line, const char* why)
{
    if (list->warningCount < MaxKnobWarnings) {
        KnobWarning& warning = list->warnings[list->warningCount];
        snprintf(warning.file, sizeof warning.file, "%s", file);
        warning.line = line;
        snprintf(warning.message, sizeof warning.message, "%s", why);
        QuoteSourceLine(source, line, warning.quote, sizeof warning.quote);
    }
    list->warningCount++;
}

// The knob or warning of one line, whose "//" comment starts at comment.
static void ReadLine(const char* code, const char* comment, const char* end, int line, const char* source,
                     const char* file, KnobList* list)
{
    const char* text = SkipSpaces(comment + 2, end);
    if (text == end || *text != '@')
        return;
    const Span word = WordAt(text + 1, end);
    const Declaration declaration = DeclarationIn(code, comment);
    char why[sizeof KnobWarning::message];
    if (!Is(word, "slider") && !Is(word, "color")) {
        // Only on a uniform is an unknown word surely a knob mistyped.
        if (declaration.isUniform) {
            snprintf(why, sizeof why, "unknown annotation @%.*s: a knob is @slider or @color", LengthOf(word),
                     word.begin);
            Warn(list, source, file, line, why);
        }
        return;
    }
    Knob knob = {};
    knob.kind = Is(word, "slider") ? SliderKnob : ColorKnob;
    knob.location = -1;
    snprintf(knob.file, sizeof knob.file, "%s", file);
    knob.line = line;
    if (!ReadKnob(declaration, Cursor{word.end, end}, &knob, why, sizeof why))
        return Warn(list, source, file, line, why);
    if (const Knob* earlier = FindKnob(*list, knob.name)) {
        // A uniform both stages declare may carry the same annotation in each.
        if (!SameKnob(*earlier, knob)) {
            snprintf(why, sizeof why, "%s is a knob already, on line %d of %s, with another range or value",
                     knob.name, earlier->line, earlier->file);
            Warn(list, source, file, line, why);
        }
        return;
    }
    if (list->count == MaxKnobs) {
        snprintf(why, sizeof why, "more than %d knobs: %s is left out", MaxKnobs, knob.name);
        return Warn(list, source, file, line, why);
    }
    memcpy(knob.value, knob.fileValue, sizeof knob.value);
    list->knobs[list->count++] = knob;
}

// Where a line's "//" comment starts (null if it has none outside a block
// comment), following block comments from line to line in inBlock.
static const char* LineComment(const char* line, const char* end, bool* inBlock)
{
    for (const char* c = line; c + 1 < end; c++) {
        if (*inBlock && c[0] == '*' && c[1] == '/') {
            *inBlock = false;
            c++;
        } else if (!*inBlock && c[0] == '/' && c[1] == '/') {
            return c;
        } else if (!*inBlock && c[0] == '/' && c[1] == '*') {
            *inBlock = true;
            c++;
        }
    }
    return nullptr;
}

void ReadKnobAnnotations(const char* source, const char* file, KnobList* list)
{
    bool inBlock = false;
    int number = 1;
    for (const char* line = source; *line; number++) {
        const char* end = line + strcspn(line, "\n");
        if (const char* comment = LineComment(line, end, &inBlock))
            ReadLine(line, comment, end, number, source, file, list);
        line = *end ? end + 1 : end;
    }
}

void KeepKnobValues(const KnobList& previous, KnobList* fresh)
{
    for (int i = 0; i < fresh->count; i++) {
        Knob& knob = fresh->knobs[i];
        const Knob* before = FindKnob(previous, knob.name);
        if (before && SameKnob(*before, knob))
            memcpy(knob.value, before->value, sizeof knob.value);
    }
}

#include "app/knobs.h"

#include "app/host_events.h"
#include "app/reload_errors.h"
#include "gl/diagnostics.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

// Each mode's knobs, and the program whose uniforms their locations are.
static KnobList knobSets[2];
static GLuint knobPrograms[2];

// Text being written into a fixed buffer; whatever does not fit is left out.
struct Writer {
    char* text;
    size_t size;
    size_t used;
};

static void Write(Writer* out, const char* format, ...) PRINTF_FORMAT(2, 3);
static void Write(Writer* out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int written = vsnprintf(out->text + out->used, out->size - out->used, format, args);
    va_end(args);
    if (written > 0)
        out->used = std::min(out->used + static_cast<size_t>(written), out->size - 1);
}

// Prints each warning as a compiler would, the quoted line below it, and
// shows the same lines over the scene.
static void ReportWarnings(int mode, const KnobList& knobs)
{
    static char text[2048];
    Writer out = {text, sizeof text, 0};
    text[0] = '\0';
    const int kept = std::min(knobs.warningCount, MaxKnobWarnings);
    for (int i = 0; i < kept; i++) {
        const KnobWarning& warning = knobs.warnings[i];
        PrintDiagnostic("%s:%d: knob ignored: %s\n%s\n", warning.file, warning.line, warning.message, warning.quote);
        Write(&out, "%s:%d: knob ignored: %s\n%s\n", warning.file, warning.line, warning.message, warning.quote);
    }
    if (knobs.warningCount > kept) {
        PrintDiagnostic("and %d more knobs ignored\n", knobs.warningCount - kept);
        Write(&out, "and %d more knobs ignored\n", knobs.warningCount - kept);
    }
    ShowBuildWarnings(mode, text);
}

void AdoptKnobs(int mode, GLuint program, const KnobList& fresh)
{
    static KnobList adopted;   // too big for every stack the program runs on
    adopted = fresh;
    KeepKnobValues(knobSets[mode], &adopted);
    // Once per link: a uniform the compiler found unused has none (-1).
    for (int i = 0; i < adopted.count; i++)
        adopted.knobs[i].location = glGetUniformLocation(program, adopted.knobs[i].name);
    knobSets[mode] = adopted;
    knobPrograms[mode] = program;
    ReportWarnings(mode, adopted);
    TellKnobsChanged(mode);
}

const KnobList& KnobsOf(int mode)
{
    return knobSets[mode];
}

bool SetKnobValue(int mode, int knob, int component, float value)
{
    KnobList& knobs = knobSets[mode];
    if (knob < 0 || knob >= knobs.count || component < 0 || component >= knobs.knobs[knob].components ||
        !std::isfinite(value))
        return false;
    Knob& changed = knobs.knobs[knob];
    changed.value[component] = std::clamp(value, changed.min, changed.max);
    return true;
}

void SetKnobUniforms(int mode, GLuint program)
{
    if (program != knobPrograms[mode])
        return;
    const KnobList& knobs = knobSets[mode];
    for (int i = 0; i < knobs.count; i++) {
        const Knob& knob = knobs.knobs[i];
        if (knob.location < 0)
            continue;
        if (knob.components == 1)
            glUniform1f(knob.location, knob.value[0]);
        else if (knob.components == 3)
            glUniform3fv(knob.location, 1, knob.value);
        else
            glUniform4fv(knob.location, 1, knob.value);
    }
}

// value as a JSON string, quoted and escaped.
static void WriteJsonString(Writer* out, const char* value)
{
    Write(out, "\"");
    for (const char* c = value; *c; c++) {
        if (*c == '"' || *c == '\\')
            Write(out, "\\%c", *c);
        else if (static_cast<unsigned char>(*c) < 0x20)
            Write(out, "\\u%04x", *c);
        else
            Write(out, "%c", *c);
    }
    Write(out, "\"");
}

static void WriteJsonNumbers(Writer* out, const float* values, int count)
{
    for (int i = 0; i < count; i++)
        Write(out, "%s%g", i ? "," : "[", static_cast<double>(values[i]));
    Write(out, "]");
}

static void WriteKnobJson(Writer* out, const Knob& knob)
{
    Write(out, "{\"name\":");
    WriteJsonString(out, knob.name);
    Write(out, ",\"kind\":\"%s\",\"min\":%g,\"max\":%g,\"value\":", knob.kind == SliderKnob ? "slider" : "color",
          static_cast<double>(knob.min), static_cast<double>(knob.max));
    WriteJsonNumbers(out, knob.value, knob.components);
    Write(out, ",\"default\":");
    WriteJsonNumbers(out, knob.fileValue, knob.components);
    Write(out, ",\"unused\":%s,\"file\":", knob.location < 0 ? "true" : "false");
    WriteJsonString(out, knob.file);
    Write(out, ",\"line\":%d}", knob.line);
}

static void WriteWarningJson(Writer* out, const KnobWarning& warning)
{
    Write(out, "{\"file\":");
    WriteJsonString(out, warning.file);
    Write(out, ",\"line\":%d,\"message\":", warning.line);
    WriteJsonString(out, warning.message);
    Write(out, ",\"quote\":");
    WriteJsonString(out, warning.quote);
    Write(out, "}");
}

const char* KnobsJson(int mode)
{
    // Room for every knob and warning, each string escaped at its longest.
    static char json[32768];
    Writer out = {json, sizeof json, 0};
    json[0] = '\0';
    const KnobList& knobs = knobSets[mode];
    Write(&out, "{\"mode\":%d,\"knobs\":[", mode);
    for (int i = 0; i < knobs.count; i++) {
        Write(&out, "%s", i ? "," : "");
        WriteKnobJson(&out, knobs.knobs[i]);
    }
    Write(&out, "],\"warnings\":[");
    for (int i = 0; i < std::min(knobs.warningCount, MaxKnobWarnings); i++) {
        Write(&out, "%s", i ? "," : "");
        WriteWarningJson(&out, knobs.warnings[i]);
    }
    Write(&out, "]}");
    return json;
}

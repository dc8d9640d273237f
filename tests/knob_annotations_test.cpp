#include "gl/knob_annotations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

// The knobs of list, one line each: "name kind min max = values line".
static std::string Describe(const KnobList& list)
{
    std::string described;
    for (int i = 0; i < list.count; i++) {
        const Knob& knob = list.knobs[i];
        char line[256];
        snprintf(line, sizeof line, "%s %s %g %g =", knob.name, knob.kind == SliderKnob ? "slider" : "color",
                 static_cast<double>(knob.min), static_cast<double>(knob.max));
        described += line;
        for (int c = 0; c < knob.components; c++) {
            EXPECT_EQ(knob.fileValue[c], knob.value[c]) << "a knob starts at the file's value";
            snprintf(line, sizeof line, " %g", static_cast<double>(knob.value[c]));
            described += line;
        }
        described += " @" + std::string(knob.file) + ":" + std::to_string(knob.line) + "\n";
    }
    return described;
}

static KnobList Read(const char* source)
{
    KnobList list{};
    ReadKnobAnnotations(source, "test.vert", &list);
    return list;
}

TEST(KnobAnnotations, MakeASliderOrAColourOfTheUniformOnTheirLine)
{
    struct Case {
        const char* source;
        const char* knobs;
    } cases[] = {
        {"uniform float Wind;    // @slider 0.0 2.0 = 0.5\n", "Wind slider 0 2 = 0.5 @test.vert:1\n"},
        {"uniform float Wind; // @slider -1 1\n", "Wind slider -1 1 = -1 @test.vert:1\n"},   // starts at MIN
        {"uniform vec3  Ember;   // @color = 1.0 0.45 0.1\n", "Ember color 0 1 = 1 0.45 0.1 @test.vert:1\n"},
        {"uniform vec3 Ember; // @color\n", "Ember color 0 1 = 1 1 1 @test.vert:1\n"},      // white
        {"uniform vec4 Tint; // @color = 0.5 0.25 0 0.75\n", "Tint color 0 1 = 0.5 0.25 0 0.75 @test.vert:1\n"},
        {"uniform vec4 Tint; // @color\n", "Tint color 0 1 = 1 1 1 1 @test.vert:1\n"},
        // A precision, tabs, no spaces round "=", a Windows line end.
        {"uniform highp float\tWind;\t//@slider 0 2=1.5\r\n", "Wind slider 0 2 = 1.5 @test.vert:1\n"},
        // In the order of the file, on their own lines; nothing inside a
        // block comment, and no other word after "@".
        {"#version 110\n/* uniform float Old; // @slider 0 1\n   uniform float Older; // @slider 0 1 */\n"
         "uniform float B; // @slider 0 1 = 0.25\n// @author me\nuniform float A; // @slider 0 1\nvoid main() {}",
         "B slider 0 1 = 0.25 @test.vert:4\nA slider 0 1 = 0 @test.vert:6\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        const KnobList list = Read(c.source);
        EXPECT_EQ(c.knobs, Describe(list));
        EXPECT_EQ(0, list.warningCount) << list.warnings[0].message;
    }
    // A uniform both stages declare, annotated alike in each, is one knob.
    KnobList list{};
    ReadKnobAnnotations("uniform vec3 Ember; // @color = 1 0.5 0\n", "fire.vert", &list);
    ReadKnobAnnotations("\nuniform vec3 Ember; // @color = 1 0.5 0\nuniform float Glow; // @slider 0 1\n",
                        "fire.frag", &list);
    EXPECT_EQ("Ember color 0 1 = 1 0.5 0 @fire.vert:1\nGlow slider 0 1 = 0 @fire.frag:3\n", Describe(list));
    EXPECT_EQ(0, list.warningCount);
}

TEST(KnobAnnotations, ThatAreMalformedMakeNoKnobAndAWarningWithTheLineQuoted)
{
    struct Case {
        const char* line;
        const char* message;
    } cases[] = {
        {"uniform float Wind; // @slider zero 2", "@slider's MIN \"zero\" is not a number"},
        {"uniform float Wind; // @slider 0 nan", "@slider's MAX \"nan\" is not a number"},
        {"uniform float Wind; // @slider 0", "@slider's MAX missing"},
        {"uniform float Wind; // @slider 2 1", "@slider's MIN 2 is not below its MAX 1"},
        {"uniform float Wind; // @slider 1 1.0", "@slider's MIN 1 is not below its MAX 1"},
        {"uniform float Wind; // @slider 0 2 =", "@slider's VALUE missing"},
        {"uniform float Wind; // @slider 0 2 = 3", "@slider's VALUE 3 is outside 0 to 2"},
        {"uniform float Wind; // @slider 0 2 = 1 fast", "unexpected \"fast\" after @slider"},
        {"uniform vec3 Ember; // @color 1 0.5 0.2", "unexpected \"1 0.5 0.2\" after @color"},
        {"uniform vec3 Ember; // @color = 1 0.5", "@color on a vec3 takes 3 values after \"=\""},
        {"uniform vec3 Ember; // @color = 1 0.5 0.2 1", "@color on a vec3 takes 3 values after \"=\""},
        {"uniform vec4 Ember; // @color = 1 0.5 0.2", "@color on a vec4 takes 4 values after \"=\""},
        {"uniform vec3 Ember; // @color = 1 0.5 1.2", "@color's value 1.2 is outside 0 to 1"},
        {"uniform vec3 Ember; // @color = 1 red 0", "@color's value \"red\" is not a number"},
        {"uniform vec3 Wind; // @slider 0 2", "@slider needs a float uniform: Wind is a vec3"},
        {"uniform float Ember; // @color", "@color needs a vec3 or vec4 uniform: Ember is a float"},
        {"uniform sampler2D img; // @color", "@color needs a vec3 or vec4 uniform: img is a sampler2D"},
        {"float wind = 1.0; // @slider 0 2", "@slider is on no uniform: it goes on the line that declares one"},
        {"    // @color = 1 0 0", "@color is on no uniform: it goes on the line that declares one"},
        {"uniform float A, B; // @slider 0 2", "@slider needs one uniform declared alone on its line"},
        {"uniform float Wind[2]; // @slider 0 2", "@slider needs one uniform declared alone on its line"},
        {"uniform float Wind; // @colour = 1 0 0", "unknown annotation @colour: a knob is @slider or @color"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const KnobList list = Read(("#version 110\n" + std::string(c.line) + "\nvoid main() {}\n").c_str());
        EXPECT_EQ(0, list.count);
        ASSERT_EQ(1, list.warningCount);
        EXPECT_STREQ("test.vert", list.warnings[0].file);
        EXPECT_EQ(2, list.warnings[0].line);
        EXPECT_STREQ(c.message, list.warnings[0].message);
        EXPECT_EQ("   2 | " + std::string(c.line).substr(std::string(c.line).find_first_not_of(' ')),
                  list.warnings[0].quote);
    }
}

TEST(KnobAnnotations, KeepToTheirRoomAndSayWhatIsLeftOut)
{
    // The same name annotated otherwise in another file.
    KnobList list{};
    ReadKnobAnnotations("uniform float W; // @slider 0 1\n", "fire.vert", &list);
    ReadKnobAnnotations("uniform float W; // @slider 0 2\n", "fire.frag", &list);
    EXPECT_EQ(1, list.count);
    ASSERT_EQ(1, list.warningCount);
    EXPECT_STREQ("W is a knob already, on line 1 of fire.vert, with another range or value", list.warnings[0].message);
    // More knobs than there is room for, and more warnings: every warning
    // counted, the first kept.
    std::string many;
    for (int i = 0; i <= MaxKnobs; i++)
        many += "uniform float K" + std::to_string(i) + "; // @slider 0 1\n";
    for (int i = 0; i < MaxKnobWarnings + 2; i++)
        many += "uniform float Bad" + std::to_string(i) + "; // @slider 1 0\n";
    list = KnobList{};
    ReadKnobAnnotations(many.c_str(), "many.vert", &list);
    EXPECT_EQ(MaxKnobs, list.count);
    EXPECT_STREQ("K15", list.knobs[MaxKnobs - 1].name);
    EXPECT_EQ(MaxKnobWarnings + 3, list.warningCount);
    EXPECT_STREQ("more than 16 knobs: K16 is left out", list.warnings[0].message);
    EXPECT_EQ(MaxKnobs + 1 + MaxKnobWarnings - 1, list.warnings[MaxKnobWarnings - 1].line);
}

// A user's value lasts while the knob is the same in the file; a change to
// the knob in the file, above all to its value, is the user's too, and wins.
TEST(KeepKnobValues, KeepsTheUsersValueWhileTheFileLeavesTheKnobAsItWas)
{
    KnobList previous{};
    ReadKnobAnnotations("uniform float Wind; // @slider 0 2 = 0.5\nuniform vec3 Ember; // @color = 1 0.5 0\n",
                        "fire.vert", &previous);
    previous.knobs[0].value[0] = 1.5f;
    const float userEmber[4] = {0.25f, 0.75f, 1, 1};
    std::copy(userEmber, userEmber + 4, previous.knobs[1].value);
    struct Case {
        const char* source;
        const char* values;   // of the rebuilt knobs
    } cases[] = {
        {"uniform float Wind; // @slider 0 2 = 0.5\nuniform vec3 Ember; // @color = 1 0.5 0\n", "1.5 | 0.25 0.75 1"},
        // Moved and reordered, with other knobs about: still the same knobs.
        {"uniform float Other; // @slider 0 2 = 0.5\n\nuniform vec3 Ember; // @color = 1 0.5 0\n"
         "uniform float Wind; // @slider 0 2 = 0.5\n", "0.5 | 0.25 0.75 1 | 1.5"},
        {"uniform float Wind; // @slider 0 2 = 0.7\nuniform vec3 Ember; // @color = 1 0.5 0.1\n", "0.7 | 1 0.5 0.1"},
        {"uniform float Wind; // @slider 0 3 = 0.5\n", "0.5"},   // another range
        {"uniform float Wind; // @slider -1 2 = 0.5\n", "0.5"},
        {"uniform vec4 Ember; // @color = 1 0.5 0 1\n", "1 0.5 0 1"},   // another type
        {"uniform float Gust; // @slider 0 2 = 0.5\n", "0.5"},   // another name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        KnobList fresh{};
        ReadKnobAnnotations(c.source, "fire.vert", &fresh);
        KeepKnobValues(previous, &fresh);
        std::string values;
        for (int i = 0; i < fresh.count; i++) {
            for (int component = 0; component < fresh.knobs[i].components; component++) {
                char value[32];
                snprintf(value, sizeof value, "%s%g", values.empty() ? "" : component ? " " : " | ",
                         static_cast<double>(fresh.knobs[i].value[component]));
                values += value;
            }
        }
        EXPECT_EQ(c.values, values);
    }
}

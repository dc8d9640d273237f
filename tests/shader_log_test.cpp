#include "gl/shader_log.h"

#include <gtest/gtest.h>

// The line numbers of the logs that the common drivers write.
TEST(FirstErrorLine, ReadsTheLineOfTheFirstErrorInEveryDriversForm)
{
    struct Case {
        const char* driver;
        const char* log;
        int line;
    } cases[] = {
        {"Mesa", "0:12(5): error: syntax error, unexpected '}'\n", 12},
        {"NVIDIA", "0(7) : error C0000: syntax error, unexpected '}' at token \"}\"\n", 7},
        {"AMD, Intel and Apple", "ERROR: 0:23: 'x' : undeclared identifier\nERROR: 1 compilation errors.\n", 23},
        {"a warning first", "0:3(10): warning: `f' used uninitialized\n0:9(2): error: `g' undeclared\n", 9},
        {"error lines with no line first", "error: linking failed\n0(31) : error C1008: undefined variable\n", 31},
        {"no error at all", "0:4(1): warning: extension not supported\n", 0},
        {"an error with no line", "error: fragment shader varying tint not written by vertex shader\n", 0},
        {"nothing", "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, FirstErrorLine(c.log)) << c.driver;
}

TEST(QuoteSourceLine, QuotesOneLineWithItsNumberAndNothingPastTheText)
{
    const char* source = "#version 110\r\nvoid main()\r\n\t{\tgl_FragColor = vec4(1.0) +;\r\n}";
    char quote[40];
    QuoteSourceLine(source, 3, quote, sizeof quote);
    EXPECT_STREQ("   3 | { gl_FragColor = vec4(1.0) +;", quote);
    QuoteSourceLine(source, 4, quote, sizeof quote);
    EXPECT_STREQ("   4 | }", quote);
    QuoteSourceLine(source, 2, quote, 12);
    EXPECT_STREQ("   2 | void", quote);   // cut to the room given
    for (int number : {0, 5}) {
        QuoteSourceLine(source, number, quote, sizeof quote);
        EXPECT_STREQ("", quote) << number;
    }
}

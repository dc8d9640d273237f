#include "gl/diagnostics.h"
#include "tests/gl_window.h"

#include <GL/glew.h>

#include <gtest/gtest.h>

#include <string>

TEST(ExitWithErrorDeathTest, PrintsTheTextAloneAndExitsWithStatusOne)
{
    EXPECT_EXIT(ExitWithError("OpenGL 2.0 not supported\n"), testing::ExitedWithCode(1),
                "^OpenGL 2.0 not supported\n$");
    EXPECT_EXIT(ExitWithError("Cannot open file %s\n", "a b.bmp"), testing::ExitedWithCode(1),
                "^Cannot open file a b.bmp\n$");
}

// Runs ReportGLError and returns what it wrote on stderr.
static std::string ReportedFor(const char* label)
{
    testing::internal::CaptureStderr();
    ReportGLError(label);
    return testing::internal::GetCapturedStderr();
}

// Raises GL_INVALID_ENUM.
static void RaiseInvalidEnum()
{
    glEnable(0xFFFF);
}

// Raises GL_INVALID_VALUE.
static void RaiseInvalidValue()
{
    glPointSize(-1);
}

static void ClearGLErrors()
{
    while (glGetError() != GL_NO_ERROR) {
    }
}

TEST(ReportGLError, PrintsNothingWhenGLHoldsNoError)
{
    OpenTestWindow();
    ClearGLErrors();
    EXPECT_EQ("", ReportedFor("quiet"));
}

TEST(ReportGLError, ReportsEachErrorOnceUnderTheLabelOfItsCheck)
{
    OpenTestWindow();
    ClearGLErrors();
    RaiseInvalidEnum();
    EXPECT_EQ("ERROR: invalid enumerant [first]\n", ReportedFor("first"));
    EXPECT_EQ("", ReportedFor("after first"));
    RaiseInvalidValue();
    EXPECT_EQ("ERROR: invalid value [second]\n", ReportedFor("second"));
    EXPECT_EQ("", ReportedFor("after second"));
}

TEST(ReportGLError, PrintsOneLinePerCallWhenTwoErrorsArePending)
{
    OpenTestWindow();
    ClearGLErrors();
    RaiseInvalidEnum();
    RaiseInvalidValue();
    // Which pending kind comes back first is GL's choice, and a driver may
    // keep only the first; either way each call prints at most one line.
    const std::string first = ReportedFor("first");
    const std::string second = ReportedFor("second");
    const std::string enumLine = "ERROR: invalid enumerant [first]\n";
    const std::string valueLine = "ERROR: invalid value [first]\n";
    ASSERT_TRUE(first == enumLine || first == valueLine) << first;
    if (first == enumLine)
        EXPECT_TRUE(second.empty() || second == "ERROR: invalid value [second]\n") << second;
    else
        EXPECT_TRUE(second.empty() || second == "ERROR: invalid enumerant [second]\n") << second;
    EXPECT_EQ("", ReportedFor("third"));
}

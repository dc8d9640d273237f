#include "gl/shader_program.h"
#include "tests/support.h"

#include <gmock/gmock.h>


// What only a unit test can show: the locations bound before linking, a
// vertex-only program, warnings printed for a program that builds, and a GL
// error left over from earlier work reported after the bindings and before
// the link log. (The program's own runs show every failure's messages.)
TEST(TryCreateShaderProg, BindsTheAttributesPrintsEveryLogAndReportsAPendingErrorBeforeLinking)
{
    OpenTestWindow();
    // Windows line ends, as a Windows checkout may give them: compilers take the CR.
    const std::string good = WriteScratchFile("good.vert", "#version 110\r\nattribute vec3 Vel;\r\nattribute float Start;\r\n"
        "void main() { gl_Position = gl_Vertex + vec4(Vel * Start, 0.0); }\r\n");
    const char* warnsSource = "#version 110\nattribute vec3 Vel;\nattribute float Start;\n"
        "void main() { float unset; gl_Position = vec4(Vel * Start, unset); }\n";
    const std::string warns = WriteScratchFile("warns.vert", warnsSource);
    // Each stage compiles alone, but the fragment stage calls a function that
    // no stage defines.
    const std::string unlinked = WriteScratchFile("unlinked.frag", "#version 110\nvec4 shade();\nvoid main() { gl_FragColor = shade(); }\n");
    struct Case {
        std::string vertex, fragment;
        bool pendingGLError;
        testing::Matcher<std::string> printed;
        std::string message;   // "" when the program builds
    } cases[] = {
        {good, "", false, testing::Eq(""), ""},
        // The file's name, a colon, a line break, the log, a line break.
        {warns, "", false, testing::Eq(warns + ":\n" + InfoLogOf(GL_VERTEX_SHADER, warnsSource) + "\n"), ""},
        {good, unlinked, true,
         testing::AllOf(testing::StartsWith("ERROR: invalid enumerant [CreateShaderProg]\n"), testing::HasSubstr("error")),
         "Error linking program\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vertex + " " + c.fragment);
        if (c.pendingGLError)
            glEnable(0xFFFF);
        Failure failure{};
        GLuint program = 0;
        EXPECT_THAT(StderrOf([&] {
            program = TryCreateShaderProg(c.vertex.c_str(), c.fragment.empty() ? nullptr : c.fragment.c_str(), &failure);
        }), c.printed);
        EXPECT_EQ(c.message, program ? "" : failure.message);
        if (program) {
            EXPECT_EQ(4, glGetAttribLocation(program, "Vel"));
            EXPECT_EQ(5, glGetAttribLocation(program, "Start"));
            GLint shaders = 0;
            glGetProgramiv(program, GL_ATTACHED_SHADERS, &shaders);
            EXPECT_EQ(1, shaders);
        }
    }
}

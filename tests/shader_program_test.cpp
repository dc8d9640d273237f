#include "gl/shader_program.h"
#include "gl/text_file.h"
#include "tests/gl_window.h"
#include "tests/temp_files.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <string>

static const char* const ValidVertex =
    "#version 110\n"
    "attribute vec3 Vel;\n"
    "attribute float Start;\n"
    "void main() { gl_Position = gl_Vertex + vec4(Vel * Start, 0.0); }\n";

static const char* const ValidFragment =
    "#version 110\n"
    "void main() { gl_FragColor = vec4(1.0); }\n";

// A live GL context and a scratch folder to work in.
class ShaderFiles : public testing::Test {
protected:
    // Works in a scratch folder with bare file names, as the program does;
    // a death test's child re-runs this in a folder of its own.
    void SetUp() override
    {
        OpenTestWindow();
        ASSERT_EQ(0, chdir(MakeTempDir().c_str()));
    }

    static std::string Write(const char* name, const std::string& text)
    {
        WriteFile(name, text);
        return name;
    }
};

using ShaderFilesDeathTest = ShaderFiles;

TEST_F(ShaderFiles, LoadTextFileReturnsTheWholeFileNulTerminated)
{
    const std::string text = "line one\nline two\n\tend";
    Failure failure;
    char* loaded = LoadTextFile(Write("text.vert", text).c_str(), &failure);
    EXPECT_EQ(text, std::string(loaded));
    free(loaded);
}

TEST_F(ShaderFilesDeathTest, LoadTextFileStopsOnFilesItCannotRead)
{
    const std::string missing = "missing.vert";
    EXPECT_EXIT(CreateShaderProg(missing.c_str(), nullptr), testing::ExitedWithCode(1),
                "^Cannot open text file " + missing + "\n$");

    // A zero-length block is no item read: an empty file is an error.
    const std::string empty = Write("empty.vert", "");
    EXPECT_EXIT(CreateShaderProg(empty.c_str(), nullptr), testing::ExitedWithCode(1),
                "^Cannot read 0 bytes for text file " + empty + "\n$");

    // A directory opens like a file on Linux but has no text to read.
    const std::string folder = "folder.vert";
    ASSERT_EQ(0, mkdir(folder.c_str(), 0755));
    EXPECT_EXIT(CreateShaderProg(folder.c_str(), nullptr), testing::ExitedWithCode(1),
                "^Cannot read text file " + folder + ": not a regular file\n$");
}

TEST_F(ShaderFiles, VertexOnlyProgramBindsVelAndStartToLocations4And5)
{
    const GLuint program = CreateShaderProg(Write("ok.vert", ValidVertex).c_str(), nullptr);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(GL_TRUE, linked);
    EXPECT_EQ(4, glGetAttribLocation(program, "Vel"));
    EXPECT_EQ(5, glGetAttribLocation(program, "Start"));
    GLint shaders = 0;
    glGetProgramiv(program, GL_ATTACHED_SHADERS, &shaders);
    EXPECT_EQ(1, shaders);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(ShaderFiles, WarningsArePrintedUnderTheFileNameAndBuildingGoesOn)
{
    const std::string path = Write("warn.vert",
                                   "#version 110\n"
                                   "void main() { float unset; gl_Position = vec4(unset); }\n");
    testing::internal::CaptureStderr();
    const GLuint program = CreateShaderProg(path.c_str(), nullptr);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(0u, program);
    EXPECT_EQ(0u, printed.find(path + ":\n")) << printed;
    EXPECT_NE(std::string::npos, printed.find("warning")) << printed;
    EXPECT_EQ('\n', printed.empty() ? '\0' : printed.back());
}

TEST_F(ShaderFilesDeathTest, CompileFailurePrintsTheLogThenNamesTheFile)
{
    const std::string vertex = Write("bad.vert", "#version 110\nvoid main() { gl_Position = vec4(1.0) }\n");
    EXPECT_EXIT(CreateShaderProg(vertex.c_str(), nullptr), testing::ExitedWithCode(1),
                "^" + vertex + ":\n[^\n]*error[^\n]*\n+Error compiling " + vertex + "\n$");

    // The fragment stage is checked the same way, after the vertex stage.
    const std::string good = Write("good.vert", ValidVertex);
    const std::string fragment = Write("bad.frag", "#version 110\nvoid main() { gl_FragColor = 1; }\n");
    EXPECT_EXIT(CreateShaderProg(good.c_str(), fragment.c_str()), testing::ExitedWithCode(1),
                "^" + fragment + ":\n.*error.*\nError compiling " + fragment + "\n$");
}

TEST_F(ShaderFilesDeathTest, LinkFailurePrintsTheLogThenStops)
{
    // Each stage compiles alone, but the fragment stage calls a function
    // that no stage defines.
    const std::string vertex = Write("ok.vert", ValidVertex);
    const std::string fragment = Write("unresolved.frag",
                                       "#version 110\n"
                                       "vec4 shade();\n"
                                       "void main() { gl_FragColor = shade(); }\n");
    EXPECT_EXIT(CreateShaderProg(vertex.c_str(), fragment.c_str()), testing::ExitedWithCode(1),
                "^[^\n]*error[^\n]*shade.*\nError linking program\n$");
}

TEST_F(ShaderFilesDeathTest, AMissingFragmentFileStopsAfterTheVertexStage)
{
    const std::string vertex = Write("ok.vert", ValidVertex);
    const std::string missing = "none.frag";
    EXPECT_EXIT(CreateShaderProg(vertex.c_str(), missing.c_str()), testing::ExitedWithCode(1),
                "^Cannot open text file " + missing + "\n$");
}

// The shipped shaders, built exactly as the program builds them. This runs
// twice: on the display's own GL and on a driver limited to OpenGL 2.0 and
// GLSL 1.10 (MESA_GL_VERSION_OVERRIDE=2.0 MESA_GLSL_VERSION_OVERRIDE=110).
TEST(ShippedShaders, CompileAndLinkWithoutAnyLogOutput)
{
    OpenTestWindow();
    ASSERT_EQ(0, chdir(GLITTER_ASSET_DIR));
    testing::internal::CaptureStderr();
    const GLuint glitter = CreateShaderProg("confetti.vert", nullptr);
    const GLuint fire = CreateShaderProg("fire.vert", "fire.frag");
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
    for (GLuint program : {glitter, fire}) {
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(GL_TRUE, linked);
        EXPECT_EQ(5, glGetAttribLocation(program, "Start"));
    }
    EXPECT_EQ(4, glGetAttribLocation(glitter, "Vel"));
    EXPECT_EQ(4, glGetAttribLocation(fire, "Vel"));
    EXPECT_GE(glGetUniformLocation(glitter, "time"), 0);
    EXPECT_GE(glGetUniformLocation(fire, "time"), 0);
    EXPECT_GE(glGetUniformLocation(fire, "img"), 0);
    const char* strict = getenv("MESA_GL_VERSION_OVERRIDE");
    if (strict && std::string(strict) == "2.0") {
        EXPECT_EQ(0, strncmp("2.0", reinterpret_cast<const char*>(glGetString(GL_VERSION)), 3));
    }
}

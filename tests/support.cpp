#include "tests/support.h"

#include "gl/opengl.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

void OpenTestWindow()
{
    static bool open = false;
    if (!open) {
        // Mesa skips compiling a shader it finds in its disk cache, and then
        // has no info log to give: tests that look for warnings need fresh
        // compiles.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        int argc = 1;
        char name[] = "glitter_tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
        glutInitWindowSize(600, 600);
        glutCreateWindow("glitter_tests");
        ASSERT_EQ(GLEW_OK, glewInit());
        ASSERT_TRUE(GLEW_VERSION_2_0) << "the test display has no OpenGL 2.0";
        open = true;
    }
    while (glGetError() != GL_NO_ERROR) {
    }
}

static char scratchDir[] = "/tmp/glitter-test-XXXXXX";

std::string ScratchDir()
{
    static const bool made = mkdtemp(scratchDir) && !atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(scratchDir, ignored);
    });
    EXPECT_TRUE(made) << "cannot create a scratch folder";
    return scratchDir;
}

std::string WriteScratchFile(const std::string& name, const std::string& bytes)
{
    const std::string path = ScratchDir() + "/" + name;
    EXPECT_TRUE(WriteBytesToFile(path, {bytes.begin(), bytes.end()})) << "cannot write " << path;
    return path;
}

std::string WithPath(const std::string& text, const std::string& path)
{
    std::string filled;
    for (char c : text)
        filled += c == '@' ? path : std::string(1, c);
    return filled;
}

std::string BmpOf(int width, int height)
{
    const std::vector<unsigned char> bytes = BmpFileOf(width, height, DistinctRgb(width, height));
    return {bytes.begin(), bytes.end()};
}

std::vector<unsigned char> DistinctRgb(int width, int height)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width * height * 3));
    for (size_t i = 0; i < rgb.size(); i++)
        rgb[i] = static_cast<unsigned char>(17 + i * 29);
    return rgb;
}

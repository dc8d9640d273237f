#include "tests/support.h"

#include "gl/opengl.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

void OpenTestWindow()
{
    static bool open = false;
    if (!open) {
#ifndef _WIN32   // under Wine, Mesa reads the environment Wine started with: units.sh sets it there
        // Mesa skips compiling a shader it finds in its disk cache, and then
        // has no info log to give: tests that look for warnings need fresh
        // compiles.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
#endif
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

static std::string scratchDir;

std::string ScratchDir()
{
    if (scratchDir.empty()) {
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / ("glitter-test-" + std::to_string(std::random_device()()));
        EXPECT_TRUE(std::filesystem::create_directory(dir)) << "cannot create the scratch folder " << dir;
        scratchDir = dir.string();
        atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchDir, ignored);
        });
    }
    return scratchDir;
}

std::string InfoLogOf(unsigned type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    char log[4096] = "";
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    glDeleteShader(shader);
    return log;
}

std::string WriteScratchFile(const std::string& name, const std::string& bytes)
{
    const std::string path = ScratchDir() + "/" + name;
    EXPECT_TRUE(WriteBytesToFile(path, {bytes.begin(), bytes.end()})) << "cannot write " << path;
    return path;
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

#ifdef _WIN32
static std::vector<HANDLE> heldFiles;

void BlockOpening(std::initializer_list<const char*> paths)
{
    for (const char* path : paths)
        heldFiles.push_back(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

void UnblockOpening()
{
    for (HANDLE file : heldFiles)
        CloseHandle(file);
    heldFiles.clear();
}
#else
static rlimit usualLimits;

// As root no file can be held against opening: instead, no new file opens
// at all once the limit is the lowest free descriptor.
void BlockOpening(std::initializer_list<const char*>)
{
    getrlimit(RLIMIT_NOFILE, &usualLimits);
    rlimit limits = usualLimits;
    const int lowestFree = dup(0);
    close(lowestFree);
    limits.rlim_cur = static_cast<rlim_t>(lowestFree);
    setrlimit(RLIMIT_NOFILE, &limits);
}

void UnblockOpening()
{
    setrlimit(RLIMIT_NOFILE, &usualLimits);
}
#endif

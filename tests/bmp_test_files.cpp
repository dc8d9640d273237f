#include "tests/bmp_test_files.h"

#include "tests/temp_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

static const char* const DirVariable = "GLITTER_BMP_TEST_DIR";
static std::string ownDir;   // made by this process, removed when it exits

static void RemoveOwnDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(ownDir, ignored);
}

static std::string ScratchDir()
{
    if (const char* inherited = getenv(DirVariable))
        return inherited;
    ownDir = MakeTempDir();
    setenv(DirVariable, ownDir.c_str(), 1);
    atexit(RemoveOwnDir);
    return ownDir;
}

std::string BmpTestPath(const char* name)
{
    return ScratchDir() + "/" + name;
}

std::string WriteBmpTestFile(const char* name, const std::vector<unsigned char>& bytes)
{
    const std::string path = BmpTestPath(name);
    EXPECT_TRUE(WriteBytesToFile(path, bytes)) << "cannot write " << path;
    return path;
}

std::vector<unsigned char> DistinctRgb(int width, int height)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width * height * 3));
    for (size_t i = 0; i < rgb.size(); i++)
        rgb[i] = static_cast<unsigned char>(17 + i * 29);
    return rgb;
}

std::string MessageFor(const char* format, const std::string& path)
{
    char text[512];
    snprintf(text, sizeof text, format, path.c_str());
    return text;
}

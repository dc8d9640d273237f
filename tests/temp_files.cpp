#include "tests/temp_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

std::string MakeTempDir()
{
    char pattern[] = "/tmp/glitter-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    EXPECT_NE(nullptr, dir) << "cannot create a temporary directory";
    return dir ? dir : "/tmp";
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file) << "cannot create " << path;
    ASSERT_EQ(bytes.size(), fwrite(bytes.data(), 1, bytes.size(), file)) << path;
    ASSERT_EQ(0, fclose(file)) << path;
}

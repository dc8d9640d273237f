// Scratch files for tests that feed the program real files.
#pragma once

#include <string>

// A new empty directory under the system's temporary folder.
std::string MakeTempDir();

// Writes bytes to path, replacing any file there; fails the test on error.
void WriteFile(const std::string& path, const std::string& bytes);

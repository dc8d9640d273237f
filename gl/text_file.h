// Reads a shader source file whole.
#pragma once

#include "gl/failure.h"

// Reads the whole file at path into a new NUL-terminated heap buffer that the
// caller frees. The bytes are read as they are stored, so a file saved with
// Windows line ends (CR LF) reads the same on every system; GLSL compilers
// take the CR for white space. Returns null with failure set when the file
// cannot be opened, measured or read, and when path is not a regular file
// (a folder, a named pipe, a device), which is never read; an empty file
// counts as unreadable. A file over 1 MiB is refused unread, with its size
// and the limit in the message.
char* LoadTextFile(const char* path, Failure* failure);

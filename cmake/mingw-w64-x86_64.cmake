# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers
# (package g++-mingw-w64-x86-64-posix). Used for glitter.exe and for the
# freeglut and GLEW it links, so all three agree on compiler and runtime.
#
# GLITTER_WINDOWS_DEPS, if set, is the prefix of those Windows builds of
# freeglut and GLEW: it is searched like the compiler's own folder.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
# The -posix compilers by name, so the update-alternatives choice of the
# plain names does not matter.
find_program(CMAKE_C_COMPILER NAMES ${mingw_triplet}-gcc-posix ${mingw_triplet}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${mingw_triplet}-g++-posix ${mingw_triplet}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${mingw_triplet}-windres REQUIRED)

# try_compile projects read this file again: hand them the deps prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GLITTER_WINDOWS_DEPS)

# Headers and libraries come only from the Windows side: the compiler's own
# folder and the deps prefix. Programs (code generators, tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
if(GLITTER_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${GLITTER_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config would otherwise describe the host's Linux libraries.
if(GLITTER_WINDOWS_DEPS)
  set(ENV{PKG_CONFIG_LIBDIR} "${GLITTER_WINDOWS_DEPS}/lib/pkgconfig")
else()
  set(ENV{PKG_CONFIG_LIBDIR} "/usr/${mingw_triplet}/lib/pkgconfig")
endif()

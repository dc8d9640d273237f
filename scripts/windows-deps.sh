#!/usr/bin/env bash
# Builds freeglut, GLEW and giflib (and GoogleTest, for the unit tests) for
# 64-bit Windows as static libraries, from Debian's own source packages, into
# DEPS_DIR/prefix:
#
#   scripts/windows-deps.sh DEPS_DIR
#
#   DEPS_DIR/apt/      a private apt configuration that asks for source
#                      packages (the system's own is never touched)
#   DEPS_DIR/src/      the downloaded tarballs and their unpacked trees
#   DEPS_DIR/build/    the builds
#   DEPS_DIR/prefix/   include/GL, include/gif_lib.h, lib/libfreeglut_static.a,
#                      lib/libglew32s.a, lib/libgif.a,
#                      share/licenses/{freeglut/COPYING,glew/LICENSE.txt,giflib/COPYING},
#                      GoogleTest's headers, libraries and CMake package
#
# Done once: the tarballs are kept, and the libraries are rebuilt only when
# this script, the toolchain file or the GLEW or giflib build file changes.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 DEPS_DIR" >&2
  exit 2
fi
mkdir -p "$1"
deps_dir=$(cd "$1" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
glew_project=$repo/cmake/glew-static
giflib_project=$repo/cmake/giflib-static
prefix=$deps_dir/prefix
src_dir=$deps_dir/src
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# What the libraries in prefix/ were built from and with.
recipe=$(cat "$0" "$toolchain" "$glew_project/CMakeLists.txt" "$giflib_project/CMakeLists.txt" | sha256sum | cut -d' ' -f1)
stamp=$prefix/.recipe
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ]; then
  echo "freeglut, GLEW, giflib and GoogleTest for Windows: up to date in $prefix"
  exit 0
fi

# The first tarball matching PATTERN in src/, if any.
tarball() {
  compgen -G "$src_dir/$1" | head -n 1 || true
}

fetch_sources() {
  local apt_dir=$deps_dir/apt f
  rm -rf "$apt_dir"
  mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$src_dir"
  # The machine's own package sources, turned into source-package ones.
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt_dir/sources/$(basename "$f")"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >"$apt_dir/sources/$(basename "$f").list"
  done
  local apt=(apt-get -q
    -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/sources"
    -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
    # Downloads go to a folder of ours, which apt's own download user
    # cannot write to: download as ourselves.
    -o APT::Sandbox::User="$(id -un)")
  "${apt[@]}" update
  (cd "$src_dir" && "${apt[@]}" source --download-only freeglut glew giflib googletest)
}

if [ -z "$(tarball 'freeglut_*.orig.tar.*')" ] || [ -z "$(tarball 'glew_*.orig.tar.*')" ] ||
   [ -z "$(tarball 'giflib_*.orig.tar.*')" ] || [ -z "$(tarball 'googletest_*.orig.tar.*')" ]; then
  echo "Fetching the freeglut, GLEW, giflib and GoogleTest source packages from Debian"
  fetch_sources
fi
freeglut_tar=$(tarball 'freeglut_*.orig.tar.*')
glew_tar=$(tarball 'glew_*.orig.tar.*')
giflib_tar=$(tarball 'giflib_*.orig.tar.*')
googletest_tar=$(tarball 'googletest_*.orig.tar.*')
if [ -z "$freeglut_tar" ] || [ -z "$glew_tar" ] || [ -z "$giflib_tar" ] || [ -z "$googletest_tar" ]; then
  echo "$0: the freeglut, GLEW, giflib and GoogleTest source tarballs did not arrive in $src_dir" >&2
  exit 1
fi

# Each tarball holds one top folder: freeglut-3.4.0/, glew-2.2.0/, giflib-5.2.1/.
unpack() {
  local top
  top=$(tar tf "$1" | head -n 1 | cut -d/ -f1)
  rm -rf "${src_dir:?}/$top"
  tar xf "$1" -C "$src_dir"
  echo "$src_dir/$top"
}
# Applies, in their order, the patches Debian makes to the sources unpacked
# in SRC, from the package's debian tarball matching PATTERN.
apply_debian_patches() {
  local src=$1 debian patch
  debian=$(tarball "$2")
  [ -n "$debian" ] || { echo "$0: no $2 in $src_dir" >&2; exit 1; }
  tar xf "$debian" -C "$src"
  [ -f "$src/debian/patches/series" ] || return 0
  while read -r patch _; do
    [[ -z $patch || $patch == \#* ]] || patch -d "$src" -p1 --quiet --forward <"$src/debian/patches/$patch"
  done <"$src/debian/patches/series"
}
freeglut_src=$(unpack "$freeglut_tar")
glew_src=$(unpack "$glew_tar")
giflib_src=$(unpack "$giflib_tar")
# Debian's giflib: with its security fixes, and with GifQuantizeBuffer, which
# upstream keeps out of the library, back in it.
apply_debian_patches "$giflib_src" 'giflib_*.debian.tar.*'
googletest_src=$(unpack "$googletest_tar")

rm -rf "$prefix" "$deps_dir/build"
common=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_INSTALL_PREFIX="$prefix" --log-level=WARNING)

echo "Building freeglut ($(basename "$freeglut_src")) for Windows"
cmake -S "$freeglut_src" -B "$deps_dir/build/freeglut" "${common[@]}" \
  -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON
cmake --build "$deps_dir/build/freeglut" -j "$jobs"
cmake --install "$deps_dir/build/freeglut" >/dev/null

echo "Building GLEW ($(basename "$glew_src")) for Windows"
cmake -S "$glew_project" -B "$deps_dir/build/glew" "${common[@]}" -DGLEW_SOURCE_DIR="$glew_src"
cmake --build "$deps_dir/build/glew" -j "$jobs"
cmake --install "$deps_dir/build/glew" >/dev/null

echo "Building giflib ($(basename "$giflib_src")) for Windows"
cmake -S "$giflib_project" -B "$deps_dir/build/giflib" "${common[@]}" -DGIFLIB_SOURCE_DIR="$giflib_src"
cmake --build "$deps_dir/build/giflib" -j "$jobs"
cmake --install "$deps_dir/build/giflib" >/dev/null

echo "Building GoogleTest ($(basename "$googletest_src")) for Windows"
cmake -S "$googletest_src" -B "$deps_dir/build/googletest" "${common[@]}" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
cmake --build "$deps_dir/build/googletest" -j "$jobs"
cmake --install "$deps_dir/build/googletest" >/dev/null

# Their licences travel with the program that has them linked in.
install -D -m 644 "$freeglut_src/COPYING" "$prefix/share/licenses/freeglut/COPYING"
install -D -m 644 "$glew_src/LICENSE.txt" "$prefix/share/licenses/glew/LICENSE.txt"
install -D -m 644 "$giflib_src/COPYING" "$prefix/share/licenses/giflib/COPYING"

echo "$recipe" >"$stamp"
echo "freeglut, GLEW, giflib and GoogleTest for Windows: built in $prefix"

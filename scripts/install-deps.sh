#!/usr/bin/env bash
# Installs the Debian packages Glitter needs, but only the ones that are
# missing. Safe to run again and again: with everything in place it does
# nothing and asks for nothing.
#
#   scripts/install-deps.sh           build, run and test on Linux
#   scripts/install-deps.sh windows   cross-build glitter.exe and try it under Wine
#   scripts/install-deps.sh web       build the web page and test it in Chromium
set -euo pipefail

set_name=${1:-linux}
case "$set_name" in
  linux)
    packages=(
      build-essential cmake pkg-config
      freeglut3-dev libglew-dev libglu1-mesa-dev libgl-dev libgif-dev
      googletest libgtest-dev
      xvfb libgl1-mesa-dri xauth xdotool x11-utils imagemagick
      strace tesseract-ocr desktop-file-utils
      libbenchmark-dev heaptrack binutils python3
    )
    # Tests and tools that want more than the basics (fuzzing, sanitizers).
    if [ "${GLITTER_WITH_CLANG:-1}" = 1 ]; then
      packages+=(clang libclang-rt-dev)
    fi
    ;;
  windows)
    # The MinGW-w64 compiler (its posix flavour, whose C++ runtime has
    # std::thread), Wine to run the result, and an X server with a GL driver
    # for Wine to draw on, and OCR to read text back from its windows.
    # freeglut, GLEW, giflib and GoogleTest come from Debian's source
    # packages (scripts/windows-deps.sh), not from here.
    packages=(
      cmake make g++-mingw-w64-x86-64-posix
      wine wine64
      xvfb libgl1-mesa-dri xauth xdotool x11-utils imagemagick tesseract-ocr
    )
    ;;
  web)
    # Emscripten, Chromium to test the page in, and Node.js with npm for
    # the page's bundler and the test driver (unless a Node.js is there).
    packages=(cmake make python3 emscripten chromium)
    command -v node >/dev/null 2>&1 || packages+=(nodejs)
    command -v npm >/dev/null 2>&1 || packages+=(npm)
    ;;
  *)
    echo "usage: $0 [linux|windows|web]" >&2
    exit 2
    ;;
esac

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
  echo "This machine has no apt-get: it is not Debian or Ubuntu." >&2
  echo "Install these packages (or your system's equivalents) by hand, then run make again:" >&2
  echo "  ${packages[*]}" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "Not root and no sudo: ask an administrator to run" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

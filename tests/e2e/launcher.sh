#!/usr/bin/env bash
# The installed launcher: it runs the program from the user's own copy of
# the four files, copied from the installed ones on the first run and never
# copied over a file the user has; a file the user deletes comes back.
# Usage: launcher.sh BUILD_DIR
set -u
BUILD_DIR=$(realpath "$1")
GLITTER=$BUILD_DIR/run/glitter ASSET_DIR=
source "$(dirname "$0")/lib.sh"

prefix=$E2E_TMP/prefix
cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null || die "cmake --install failed"
export XDG_DATA_HOME=$E2E_TMP/data HOME=$E2E_TMP/home
own=$XDG_DATA_HOME/glitter
start_xvfb

# The installed launcher runs to its end; what it printed and its status.
said=$(MESA_GL_VERSION_OVERRIDE=1.5 "$prefix/bin/glitter" 2>&1 </dev/null; echo "status $?")
[[ $said == "glitter: copied confetti.vert fire.vert fire.frag particle.bmp into $own."*"OpenGL 2.0 not supported"*"status 1" ]] &&
  pass "the first run copies the four files and says where" || fail "the first run: $said"
check "the copies are the installed files" diff -r "$prefix/share/glitter" "$own"

echo "// mine" >>"$own/fire.frag"
: >"$own/confetti.vert"
rm "$own/particle.bmp"
said=$("$prefix/bin/glitter" 2>&1 </dev/null; echo "status $?")
[[ $said == "glitter: copied particle.bmp into $own."*"Cannot read 0 bytes for text file confetti.vert"*"status 1" ]] &&
  pass "the next run brings back a deleted file and runs from the user's copy" || fail "the second run: $said"
[ "$(tail -n 1 "$own/fire.frag")" = "// mine" ] && [ ! -s "$own/confetti.vert" ] &&
  pass "the user's edits are kept" || fail "the user's edits were copied over"
check "the desktop entry is valid" desktop-file-validate "$prefix/share/applications/glitter.desktop"
finish

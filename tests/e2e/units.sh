#!/usr/bin/env bash
# The unit tests of a Windows build, run under Wine on a private X server:
# all of them, then the shader sets again on a driver that offers exactly
# OpenGL 2.0 and GLSL 1.10, as ctest runs them on Linux.
# Usage: units.sh GLITTER_TESTS_EXE
set -u
GLITTER=$(realpath "$1") ASSET_DIR=
source "$(dirname "$0")/lib.sh"

start_xvfb
export MESA_SHADER_CACHE_DISABLE=true
# run NAME [GTEST_ARGS]: the tests, their verdict, and any failure's story.
run() {
  "${GLITTER_CMD[@]}" "${@:2}" >"$E2E_TMP/units.txt" 2>&1 && pass "$1 ($(grep -a PASSED "$E2E_TMP/units.txt"))" ||
    fail "$1: $(grep -a -B3 -A12 'Failure\|FAILED' "$E2E_TMP/units.txt" | tr -d '\r' | head -80)"
}
run "the unit tests"
MESA_GL_VERSION_OVERRIDE=2.0 MESA_GLSL_VERSION_OVERRIDE=110 run "on strict OpenGL 2.0" --gtest_filter='ShaderSets.*'
finish

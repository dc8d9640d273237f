#!/usr/bin/env bash
# Start-up failures from the environment: a driver without OpenGL 2.0 and
# each of the four asset files missing. Also checks the order in which the
# files are read: a missing Glitter shader stops the program before any other
# file is opened, and a missing image is only noticed after both shader
# programs have been built.
# Usage: startup_files.sh GLITTER_BINARY ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

start_xvfb

# Mesa can pretend to be an older driver.
dir=$(make_workdir)
run_to_exit "$dir" MESA_GL_VERSION_OVERRIDE=1.5
expect_failure "OpenGL 1.5 only" $'OpenGL 2.0 not supported\n'

# Each file missing on its own: the message names it and nothing else is said.
for file in confetti.vert fire.vert fire.frag; do
  dir=$(make_workdir)
  rm "$dir/$file"
  run_to_exit "$dir"
  expect_failure "$file missing" "Cannot open text file $file"$'\n'
done
dir=$(make_workdir)
rm "$dir/particle.bmp"
run_to_exit "$dir"
expect_failure "particle.bmp missing" $'Cannot open file particle.bmp\n'

# Prints the asset names the traced run opened, in order, one per line.
opened_assets() {
  grep -oE 'openat\([^,]*, "(confetti\.vert|fire\.vert|fire\.frag|particle\.bmp)"' "$RUN_TRACE" |
    sed -E 's/.*"(.*)"/\1/'
}

if ! strace -qq -o /dev/null true 2>/dev/null; then
  die "strace cannot trace here (is it installed, is ptrace allowed?)"
fi

# Runs the program traced with one asset removed and checks its message and
# the assets it opened, in order:
# expect_opened MISSING EXPECTED_STDERR "NAME NAME ... " WHAT
expect_opened() {
  local missing=$1 message=$2 expected=$3 what=$4 dir opened
  dir=$(make_workdir)
  rm "$dir/$missing"
  run_traced "$dir"
  expect_failure "$missing missing, traced" "$message"
  opened=$(opened_assets | tr '\n' ' ')
  if [ "$opened" = "$expected" ]; then
    pass "with $missing missing $what"
  else
    fail "with $missing missing the program opened, in order: $opened"
  fi
}

# Without the Glitter shader, no other asset is even opened.
expect_opened confetti.vert $'Cannot open text file confetti.vert\n' "confetti.vert " \
  "only confetti.vert is opened"
# Without the image, both shader programs are read first, Glitter's first.
expect_opened particle.bmp $'Cannot open file particle.bmp\n' \
  "confetti.vert fire.vert fire.frag particle.bmp " "the shaders are read first, in order"

# ...and built: a broken fire shader is reported ahead of the missing image.
dir=$(make_workdir)
rm "$dir/particle.bmp"
printf '#version 110\nvoid main() { gl_FragColor = vec4(1.0) }\n' >"$dir/fire.frag"
run_to_exit "$dir"
if [ "$RUN_STATUS" -eq 1 ] && [ "$(tail -n 1 "$RUN_STDERR")" = "Error compiling fire.frag" ] &&
   ! grep -q particle.bmp "$RUN_STDERR"; then
  pass "a broken fire.frag stops the program before the missing image is noticed"
else
  fail "broken fire.frag with particle.bmp missing: status $RUN_STATUS, stderr: $(cat "$RUN_STDERR")"
fi

finish

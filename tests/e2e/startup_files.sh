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

# Without the Glitter shader, no other asset is even opened.
dir=$(make_workdir)
rm "$dir/confetti.vert"
run_traced "$dir"
expect_failure "confetti.vert missing, traced" $'Cannot open text file confetti.vert\n'
opened=$(opened_assets | tr '\n' ' ')
if [ "$opened" = "confetti.vert " ]; then
  pass "with confetti.vert missing only confetti.vert is opened"
else
  fail "with confetti.vert missing the program opened: $opened"
fi

# Without the image, both shader programs are read first, Glitter's first.
dir=$(make_workdir)
rm "$dir/particle.bmp"
run_traced "$dir"
expect_failure "particle.bmp missing, traced" $'Cannot open file particle.bmp\n'
opened=$(opened_assets | tr '\n' ' ')
if [ "$opened" = "confetti.vert fire.vert fire.frag particle.bmp " ]; then
  pass "with particle.bmp missing the shaders are read first, in order"
else
  fail "with particle.bmp missing the program opened, in order: $opened"
fi

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

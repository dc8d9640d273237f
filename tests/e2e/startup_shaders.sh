#!/usr/bin/env bash
# Start-up failures from bad shader files: empty, not a file, not compiling,
# not linking. Compile and link logs come from the driver, so for those the
# layout is checked (file name and colon first, the driver's log, then the
# verdict as the last line) rather than the driver's wording.
# Usage: startup_shaders.sh GLITTER_BINARY ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

start_xvfb

# Empty sources: reading zero bytes counts as a failed read.
for file in confetti.vert fire.frag; do
  dir=$(make_workdir)
  : >"$dir/$file"
  run_to_exit "$dir"
  expect_failure "empty $file" "Cannot read 0 bytes for text file $file"$'\n'
done

# A folder where a shader should be: named, refused, no crash.
for file in confetti.vert fire.vert; do
  dir=$(make_workdir)
  rm "$dir/$file"
  mkdir "$dir/$file"
  run_to_exit "$dir"
  expect_failure "folder named $file" "Cannot read text file $file: not a regular file"$'\n'
done

# expect_compile_failure CASE FILE: stderr is "FILE:", the driver's log (at
# least one line that mentions an error; Mesa ends it with a newline, and the
# program adds another, hence an empty line), then "Error compiling FILE".
expect_compile_failure() {
  local name=$1 file=$2 lines
  mapfile -t lines <"$RUN_STDERR"
  local count=${#lines[@]}
  if [ "$RUN_STATUS" -ne 1 ]; then
    fail "$name: exit status $RUN_STATUS, expected 1; stderr: $(head -c 400 "$RUN_STDERR")"
  elif [ "$count" -lt 4 ] || [ "${lines[0]}" != "$file:" ] ||
       [ "${lines[count - 1]}" != "Error compiling $file" ] || [ -n "${lines[count - 2]}" ]; then
    fail "$name: stderr is not '$file:', log, 'Error compiling $file':
$(cat -A "$RUN_STDERR" | head -20)"
  elif ! printf '%s\n' "${lines[@]:1:count-3}" | grep -qi 'error'; then
    fail "$name: the log between the file name and the verdict mentions no error:
$(cat "$RUN_STDERR")"
  elif [ "$(tail -c 1 "$RUN_STDERR" | od -An -c | tr -d ' ')" != '\n' ]; then
    fail "$name: stderr does not end with a newline"
  else
    pass "$name"
  fi
}

# A syntax error in the vertex-only Glitter program.
dir=$(make_workdir)
printf '#version 110\nvoid main() { gl_Position = ftransform() }\n' >"$dir/confetti.vert"
run_to_exit "$dir"
expect_compile_failure "syntax error in confetti.vert" confetti.vert

# A syntax error in the fire program's fragment shader: the Glitter program
# and fire.vert compile cleanly before it, so their names never appear.
dir=$(make_workdir)
printf '#version 110\nvoid main() { gl_FragColor = undeclared; }\n' >"$dir/fire.frag"
run_to_exit "$dir"
expect_compile_failure "undeclared name in fire.frag" fire.frag
if grep -qE 'confetti|fire\.vert' "$RUN_STDERR"; then
  fail "clean shaders appear in the fire.frag failure: $(cat "$RUN_STDERR")"
fi

# expect_link_failure CASE: the driver's log first (at least one line that
# mentions an error), then "Error linking program" alone; no file is named,
# as nothing failed to compile.
expect_link_failure() {
  local name=$1 lines
  mapfile -t lines <"$RUN_STDERR"
  local count=${#lines[@]}
  if [ "$RUN_STATUS" -ne 1 ]; then
    fail "$name: exit status $RUN_STATUS, expected 1; stderr: $(head -c 400 "$RUN_STDERR")"
  elif [ "$count" -lt 2 ] || [ "${lines[count - 1]}" != "Error linking program" ]; then
    fail "$name: the last line is not 'Error linking program':
$(cat -A "$RUN_STDERR" | head -20)"
  elif ! printf '%s\n' "${lines[@]:0:count-1}" | grep -qi 'error'; then
    fail "$name: no link log before the verdict:
$(cat "$RUN_STDERR")"
  elif grep -qE 'Error compiling|\.vert:|\.frag:' "$RUN_STDERR"; then
    fail "$name: a compile log or verdict appears in a link failure:
$(cat "$RUN_STDERR")"
  else
    pass "$name"
  fi
}

# A vertex shader without main() compiles, but a program needs one to link.
dir=$(make_workdir)
printf '#version 110\nuniform float time;\nfloat Rise(float t) { return t * time; }\n' >"$dir/confetti.vert"
run_to_exit "$dir"
expect_link_failure "confetti.vert without main()"

# A fragment shader that reads a varying the vertex shader never writes.
dir=$(make_workdir)
printf '#version 110\nvarying vec4 glow;\nvoid main() { gl_FragColor = glow; }\n' >"$dir/fire.frag"
run_to_exit "$dir"
expect_link_failure "fire.frag reads a varying fire.vert does not write"

finish

#!/usr/bin/env bash
# Windows only: what glitter.exe does with the console it starts with.
# Started from a Command Prompt it leaves the prompt's console alone; started
# with a console of its own, as a double-click in Explorer starts it, it
# hides that console, and shows a fatal start-up message in a message box
# too, with the lines the console would have shown before it, since stderr is
# then nowhere to be seen.
# Usage: console.sh GLITTER_EXE ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

# launch DIR [cmd /c]: starts the program in a new console, as Explorer
# does, or from a Command Prompt in one; the status goes to DIR/status.
launch() {
  (cd "$1" && wine start /wait "${@:2}" "$(winepath -w "$GLITTER")" </dev/null >/dev/null 2>&1; echo $? >"$1/status") &
  GLITTER_PID=$!
}
# A visible console window: its title is the program it runs.
console_shown() { xdotool search --onlyvisible --name '\.exe$' >/dev/null; }
console_hidden() { ! console_shown; }
# ended_with DIR STATUS: the program has ended, with STATUS.
ended_with() {
  local status
  status=$(cat "$1/status" 2>/dev/null)
  echo "status $status"
  [ "$status" = "$2" ]
}
# message_box: the id of a window titled Glitter that is not the 600 x 600
# one, which shows first.
message_box() {
  xdotool search --onlyvisible --name '^Glitter$' getwindowgeometry %@ 2>/dev/null |
    awk '/^Window/ { id = $2 } /Geometry/ && $2 != "600x600" { print id; exit }' | grep .
}

start_xvfb
for shell in "cmd /c" ""; do
  dir=$(make_workdir)
  launch "$dir" $shell
  WINDOW=$(find_window Glitter) || die "no window named Glitter appeared"
  if [ -n "$shell" ]; then
    wait_for "from a Command Prompt its console stays" 10 console_shown
  else
    wait_for "a console of its own is hidden" 10 console_hidden
  fi
  xdotool key --window "$WINDOW" Escape
  wait_for "Escape ends it with status 0" 10 ended_with "$dir" 0

  printf '#version 110\nvoid main() { gl_Position = ftransform() }\n' >"$dir/confetti.vert"
  rm "$dir/status"
  launch "$dir" $shell
  if [ -n "$shell" ]; then
    wait_for "from a Command Prompt a fatal error shows no message box" 10 ended_with "$dir" 1
  else
    wait_for "with its console hidden a fatal error shows a message box" 20 message_box || die "no message box"
    box=$(message_box)
    # What the console would have shown: the compiler's log, then the fatal line.
    text=$(text_of "$box")
    [[ $text == *"confetti.vert"*"error: syntax error"*"Error compiling confetti.vert"* ]] &&
      pass "the box shows the log and the fatal line" || fail "the box reads '$text'"
    xdotool key --window "$box" Return
    wait_for "the message box's OK ends it with status 1" 10 ended_with "$dir" 1
  fi
done
finish

#!/usr/bin/env bash
# A whole interactive run, driven like a user would: the window, the status
# line, the axes toggle, orbiting, zooming, the mode switch, resizing and
# Escape, checked on screenshots. The run must say nothing at all on stderr.
#
# Geometry used below: at the start the view box is 3 units each side of the
# origin in a 600 x 600 window, so the origin is the centre pixel and one unit
# is 100 pixels; the axes run 2 units (200 pixels) from the centre, in white.
# Usage: interactive.sh GLITTER_BINARY ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

SHOT="$E2E_TMP/shot.png"
SETTLE=0.6   # seconds for a key or resize to reach the screen

start_xvfb
dir=$(make_workdir)
start_glitter "$dir"

# Sends keys to the program's window and gives it time to redraw.
keys() {
  xdotool key --window "$WINDOW" --delay 5 "$@" || fail "xdotool could not send: $*"
  sleep "$SETTLE"
}

# Presses one key N times: repeat N KEY
repeat() {
  local n=$1 key=$2 list=()
  for ((i = 0; i < n; i++)); do list+=("$key"); done
  keys "${list[@]}"
}

# Runs a check on the current screenshot: check CASE COMMAND [ARGS...]. The
# command prints what it measured and succeeds if the check holds. The
# particles move, so a failing check is tried again on two fresh screenshots
# before it counts: a fault stays, a particle that happened to cross the
# measured pixels does not.
check() {
  local name=$1 detail try
  shift
  for try in 1 2 3; do
    if detail=$("$@"); then
      pass "$name ($detail)"
      return 0
    fi
    [ "$try" -lt 3 ] && sleep 0.2 && screenshot "$SHOT"
  done
  local kept="${TMPDIR:-/tmp}/glitter-e2e-failed-$$-$((E2E_FAILURES + 1)).png"
  cp "$SHOT" "$kept" 2>/dev/null
  fail "$name: $detail (screenshot kept as $kept)"
  return 1
}

# white REGION (at-least|at-most) N: bounds the white pixels in a region.
white() {
  local count
  count=$(white_pixels "$SHOT" "$1")
  echo "$count white pixels in $1, want $2 $3"
  case $2 in
    at-least) [ "$count" -ge "$3" ] ;;
    at-most) [ "$count" -le "$3" ] ;;
  esac
}

# The status line as words (see status_words), in STATUS_WORDS; succeeds if
# it has at least its three words.
read_status() {
  STATUS_WORDS=($(status_words "$SHOT" "$1"))
  [ "${#STATUS_WORDS[@]}" -ge 3 ]
}

# status_at_lower_left HEIGHT: the status line starts at the left edge.
status_at_lower_left() {
  read_status "$1"
  echo "words at ${STATUS_WORDS[*]}"
  read_status "$1" && [ "${STATUS_WORDS[0]%-*}" -le 10 ] && [ "${STATUS_WORDS[-1]#*-}" -le 300 ]
}

# zoom_word (same|differs) MASK: compares the zoom word ("Dim=3.0") of the
# status line with a mask taken earlier.
zoom_word() {
  read_status 600 || { echo "no status line: '${STATUS_WORDS[*]}'"; return 1; }
  local mask
  mask=$(word_mask "$SHOT" 600 "${STATUS_WORDS[-2]}")
  echo "zoom word at ${STATUS_WORDS[-2]}"
  if [ "$1" = same ]; then [ "$mask" = "$2" ]; else [ "$mask" != "$2" ]; fi
}

# mode_word_narrower WIDTH: the mode name word is at least 10 pixels
# narrower than WIDTH ("Fire" against "Glitter").
mode_word_narrower() {
  read_status 600 || { echo "no status line: '${STATUS_WORDS[*]}'"; return 1; }
  local width=$((${STATUS_WORDS[-1]#*-} - ${STATUS_WORDS[-1]%-*}))
  echo "mode name $width px wide, Glitter's $1 px"
  [ "$width" -le $(($1 - 10)) ]
}

# flames (at-least|at-most) N: bounds the flame-coloured pixels.
flames() {
  local count
  count=$(flame_pixels "$SHOT")
  echo "$count flame-coloured pixels, want $1 $2"
  case $1 in
    at-least) [ "$count" -ge "$2" ] ;;
    at-most) [ "$count" -le "$2" ] ;;
  esac
}

# Regions around the axes at the default view (WxH+X+Y, window pixels).
X_AXIS=181x11+310+294       # from just right of the centre to the X tip
X_AXIS_TIP=31x11+465+294    # the last 35 pixels of the X axis, right of
                            # where a shortened axis puts its label
X_AXIS_NEAR=121x11+310+294  # the first 120 pixels
Y_AXIS=11x166+293+110       # above the centre, clear of the labels there
BELOW_CENTRE=11x166+293+320

# The window as created: title, size. Without a window manager it sits at
# -1,-1; moving it on screen lets screenshots hold the whole window.
name=$(xdotool getwindowname "$WINDOW")
[ "$name" = Glitter ] && pass "window title is Glitter" || fail "window title is '$name'"
geometry=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p')
[ "$geometry" = 600x600 ] && pass "window is 600x600" || fail "window is '$geometry', expected 600x600"
xdotool windowmove --sync "$WINDOW" 0 0
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || fail "cannot focus the window"
sleep 1

# Default view: status line in the lower left, axes shown, no flames.
screenshot "$SHOT"
check "status line in the lower left" status_at_lower_left 600
read_status 600
glitterWidth=$((${STATUS_WORDS[-1]#*-} - ${STATUS_WORDS[-1]%-*}))
zoomMask=$(word_mask "$SHOT" 600 "${STATUS_WORDS[-2]}")
check "X axis shown" white "$X_AXIS" at-least 120
check "Y axis shown" white "$Y_AXIS" at-least 90
check "nothing white below the centre" white "$BELOW_CENTRE" at-most 15
check "no flame colours in Glitter" flames at-most 20

# "a" hides the axes, "a" again shows them.
keys a
screenshot "$SHOT"
check "X axis hidden after a" white "$X_AXIS" at-most 15
check "Y axis hidden after a" white "$Y_AXIS" at-most 15
keys a
screenshot "$SHOT"
check "X axis back after a second a" white "$X_AXIS" at-least 120

# Orbit: 18 presses of Up tilt the scene 90 degrees about X, so the Y axis
# points at the viewer and the Z axis hangs straight down from the centre.
repeat 18 Up
screenshot "$SHOT"
check "Y axis end-on after 90 degrees up" white "$Y_AXIS" at-most 15
check "Z axis below the centre after 90 degrees up" white "$BELOW_CENTRE" at-least 80
check "X axis unmoved by tilting about it" white "$X_AXIS" at-least 120
repeat 18 Down
screenshot "$SHOT"
check "Y axis back after 18 Down" white "$Y_AXIS" at-least 90
check "nothing below the centre after 18 Down" white "$BELOW_CENTRE" at-most 15

# 9 presses of Right turn 45 degrees about Y: X and Z both project to
# 2 cos 45 = 1.41 units, so their lines stop 141 pixels right of the centre.
repeat 9 Right
screenshot "$SHOT"
check "X axis still near the centre after 45 degrees" white "$X_AXIS_NEAR" at-least 80
check "X axis tip gone after 45 degrees" white "$X_AXIS_TIP" at-most 5
# "0" resets the angles.
keys 0
screenshot "$SHOT"
check "X axis tip back after 0" white "$X_AXIS_TIP" at-least 25

# Zoom: 10 Page Down widen the box to 4 units, so the axis ends 150 pixels
# out, and the status line's zoom changes. 10 Page Up bring both back.
repeat 10 Next
screenshot "$SHOT"
check "X axis shorter when zoomed out" white "$X_AXIS_TIP" at-most 5
check "X axis still near the centre when zoomed out" white "$X_AXIS_NEAR" at-least 80
check "status line zoom changed after Page Down" zoom_word differs "$zoomMask"
repeat 10 Prior
screenshot "$SHOT"
check "X axis full length after zooming back" white "$X_AXIS_TIP" at-least 25
check "status line zoom as at the start after Page Up" zoom_word same "$zoomMask"

# Mode switch: the fire sprites are orange, which Glitter never draws, and
# the status line names the shorter mode. "M" switches back.
keys m
screenshot "$SHOT"
check "m switches to Fire: flames" flames at-least 200
check "m switches to Fire: status line" mode_word_narrower "$glitterWidth"
keys M
screenshot "$SHOT"
check "M switches back to Glitter" flames at-most 20

# Resizing: the projection follows the window. At 300 x 200 one unit is
# 200 / 6 pixels, so the X axis runs 67 pixels right from (150, 100).
xdotool windowsize --sync "$WINDOW" 300 200
sleep "$SETTLE"
geometry=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p')
[ "$geometry" = 300x200 ] && pass "window resized to 300x200" || fail "window is '$geometry' after resizing to 300x200"
screenshot "$SHOT"
check "X axis scaled to the 300x200 window" white 55x7+155+96 at-least 40
check "nothing on the row past the scaled X tip and label" white 60x7+235+96 at-most 5
check "status line at the bottom of the 300x200 window" status_at_lower_left 200

# A 1 x 1 window, then back to full size, still animating.
xdotool windowsize --sync "$WINDOW" 1 1
sleep "$SETTLE"
glitter_alive && pass "alive at 1x1" || fail "the program died at 1x1"
xdotool windowsize --sync "$WINDOW" 600 600
sleep "$SETTLE"
screenshot "$SHOT"
check "X axis full size again at 600x600" white "$X_AXIS" at-least 120
cp "$SHOT" "$E2E_TMP/before.png"
sleep 0.3
screenshot "$SHOT"
changed=$(compare -metric AE "$E2E_TMP/before.png" "$SHOT" null: 2>&1)
[ "${changed%%.*}" -gt 100 ] 2>/dev/null && pass "still animating after resizing ($changed pixels changed)" ||
  fail "frames stopped changing after resizing ($changed pixels changed)"

# Escape ends the program at once with status 0: press only, since after the
# press the window is gone.
xdotool keydown --window "$WINDOW" Escape 2>/dev/null
wait_glitter_exit
[ "$GLITTER_STATUS" -eq 0 ] && pass "Escape exits with status 0" ||
  fail "after Escape: status $GLITTER_STATUS (124: still running)"

if [ -s "$GLITTER_STDERR" ]; then
  fail "the program wrote to stderr during the run:
$(head -20 "$GLITTER_STDERR")"
else
  pass "nothing on stderr during the whole run"
fi
[ -s "$GLITTER_STDOUT" ] && fail "the program wrote to stdout: $(head -5 "$GLITTER_STDOUT")"

finish

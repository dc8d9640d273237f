#!/usr/bin/env bash
# A user's session with the real program, for what only the program itself
# shows: the window, both modes drawn from the shipped files (their shaders
# saved with Windows line ends, as a Windows checkout may give them), the
# status line, the view turned by a drag while the clock is paused, zoomed
# by the wheel and reset by a double click, saves picked up while it runs (a broken one's error shown in
# the window and gone at the next good save; two files saved 0.1 s apart
# built together), the callbacks for keys, resizing and idle, and Escape.
# Every check waits for what it expects, up to 10 s.
#
# Geometry: at the start the view box is 3 units each side of the origin in a
# 600 x 600 window, so the origin is the centre pixel and one unit is 100
# pixels; the white axes run 2 units (200 pixels) from the centre.
# Usage: session.sh GLITTER_BINARY ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

start_xvfb
dir=$(make_workdir)
cd "$dir"
sed -i 's/$/\r/' confetti.vert fire.vert fire.frag
start_glitter "$dir"
SCENE=600x570+0+0
X_TIP=31x11+465+294          # the X axis's last 35 pixels

# differs COUNT: the scene of a screenshot now differs from the one kept
# in COUNT pixels or more.
differs() {
  local n
  shot && convert "$SHOT" -crop $SCENE +repage "$E2E_TMP/now.png" &&
    n=$(compare -metric AE "$E2E_TMP/kept.png" "$E2E_TMP/now.png" null: 2>&1)
  echo "${n:-?} pixels differ"
  [ "${n%%.*}" -ge "$1" ] 2>/dev/null
}
keep_scene() { convert "$SHOT" -crop $SCENE +repage "$E2E_TMP/kept.png"; }
differs_at_most() { ! differs $(($1 + 1)); }

title=$(xdotool getwindowname "$WINDOW")
[ "$title" = Glitter ] && pass "window titled Glitter" || fail "window titled '$title'"
size=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p')
[ "$size" = 600x600 ] && pass "window 600x600" || fail "window $size, expected 600x600"
wait_for "Glitter draws" 10 on_screen at_least 2000 lit $SCENE
check "the X axis reaches 2 units" at_least 25 "$SHOT" white $X_TIP
check "and is labelled" at_least 20 "$SHOT" white 16x16+501+284

# The mouse, with the clock paused: a drag of 180 pixels up turns the view
# up by 90 degrees, so the Y axis points at the viewer and the Z axis down.
# The axes are a pixel wide, and flakes in front hide some of them.
Y_AXIS=5x150+298+120   # most of the Y axis, clear of the label at the centre
DOWN=5x150+298+320     # as far below the centre
keys space BackSpace   # paused at 0: the same picture every run
shot
check "the Y axis points up" at_least 100 "$SHOT" white $Y_AXIS
check "and nothing points down" at_most 5 "$SHOT" white $DOWN
xdotool mousemove --window "$WINDOW" 300 400 mousedown 1 mousemove --window "$WINDOW" 300 310 \
  mousemove --window "$WINDOW" 300 220 mouseup 1 || fail "xdotool could not drag"
wait_for "a drag up turns the paused view: the Z axis points down" 10 on_screen at_least 100 white $DOWN
check "and the Y axis at the viewer" at_most 5 "$SHOT" white $Y_AXIS
keep_scene
sleep 0.3
check "the paused picture holds still" differs_at_most 0
# Ten notches towards the user zoom out to 4 units, as Page Down does: the
# Z axis ends 150 pixels below the centre.
xdotool click --repeat 10 --delay 20 5 || fail "xdotool could not turn the wheel"
wait_for "the wheel zooms out" 10 on_screen at_most 5 white 5x40+298+460
xdotool click --repeat 2 --delay 80 1 || fail "xdotool could not double-click"
wait_for "a double click turns the view back: the Y axis points up" 10 on_screen at_least 80 white 5x130+298+160
xdotool click --repeat 10 --delay 20 4
keys space
wait_for "the wheel zooms back in" 10 on_screen at_least 25 white $X_TIP
keep_scene
keys m
wait_for "m switches to Fire, which looks unlike Glitter" 10 differs 5000
check "Fire draws" at_least 2000 "$SHOT" lit $SCENE

solid() { printf '#version 110\nvoid main() { gl_FragColor = vec4(%s, 1.0); }\n' "$1"; }

printf '#version 110\nvoid main() { gl_FragColor = vec4(1.0) }\n' >fire.frag
wait_for "a broken save's error shows in the window" 10 screen_says "Error compiling fire.frag"
solid "0.0, 1.0, 0.0" >fire.frag
wait_for "a good save shows" 10 on_screen at_least 2000 '#00FF00' $SCENE
wait_for "and takes the error away" 10 screen_says_no "Error"

# Two files saved 0.1 s apart, as "Save All" does: the new fragment shader
# reads a colour that only the new vertex shader writes, so building either
# with the other's old version fails to link.
for try in 1 2 3 4 5; do
  # A try whose saves came too far apart may have built them apart, and
  # said so: only what is said after the last try counts.
  lines=$(wc -l <"$GLITTER_STDERR")
  start=${EPOCHREALTIME//[.,]/}
  printf '#version 110\nvarying vec4 tint;\nvoid main() { gl_FragColor = tint; }\n' >fire.frag
  sleep 0.07
  printf '#version 110\nuniform float time;\nvarying vec4 tint;\nvoid main() {\n  tint = vec4(0.0, 0.0, 1.0, 1.0);\n  gl_Position = ftransform() + vec4(0.3 * sin(3.0 * time), 0.0, 0.0, 0.0);\n}\n' >fire.vert
  gap=$(((${EPOCHREALTIME//[.,]/} - start) / 1000))
  [ "$gap" -le 100 ] && break
  echo "the two saves were $gap ms apart, more than 0.1 s: again"
  solid "0.0, 1.0, 0.0" >fire.frag && cp "$ASSET_DIR/fire.vert" fire.vert && sleep 1
done
wait_for "two files saved $gap ms apart show together" 10 on_screen at_least 2000 '#0000FF' $SCENE
[ "$(wc -l <"$GLITTER_STDERR")" -eq "$lines" ] && pass "and nothing was said in between" ||
  fail "stderr after the pair: $(tail -n +$((lines + 1)) "$GLITTER_STDERR")"

# A named pipe where a shader was: reading it would wait for a writer for
# ever. It is reported once, the program goes on drawing and taking keys
# (the zoom and resize checks below run with the pipe in place), and a
# regular file put back builds.
rm fire.frag && mkfifo fire.frag
wait_for "a named pipe for fire.frag is reported in the window" 10 screen_says "not a regular file"
shot && keep_scene
wait_for "and the program goes on animating" 10 differs 100

keys $(printf 'Next %.0s' {1..10})   # out to 4 units: the axis ends 150 pixels out
wait_for "Page Down zooms out" 10 on_screen at_most 5 white $X_TIP
# At 300 x 200 one unit is 200 / 6 pixels: the X axis runs 67 pixels right
# from (150, 100).
keys $(printf 'Prior %.0s' {1..10})
xdotool windowsize --sync "$WINDOW" 300 200
wait_for "the view follows a resize" 10 on_screen at_least 40 white 55x7+155+96
check "nothing past the scaled X tip" at_most 5 "$SHOT" white 60x7+235+96
xdotool windowsize --sync "$WINDOW" 1 1
xdotool windowsize --sync "$WINDOW" 600 600
kill -0 "$GLITTER_PID" && pass "alive after 1x1" || die "the program died at 1x1"
shot && keep_scene
wait_for "still animating" 10 differs 100
said=$(grep -c "^Cannot read text file fire.frag: not a regular file" "$GLITTER_STDERR")
[ "$said" -eq 1 ] && pass "the pipe was reported once" || fail "the pipe was reported $said times"
rm fire.frag && solid "1.0, 0.0, 0.0" >fire.frag
wait_for "a regular fire.frag back builds" 10 on_screen at_least 2000 '#FF0000' $SCENE
wait_for "and takes the message away" 10 screen_says_no "regular"
escape_ends
grep -q "ERROR" "$GLITTER_STDERR" && fail "GL errors on stderr: $(grep ERROR "$GLITTER_STDERR")"
finish

#!/usr/bin/env bash
# A user's session with the real program. First the shipped assets, their
# shaders with Windows line ends (CR LF) as a Windows checkout may give them:
# the window, both modes drawn, the status line. Then the user's own shaders and
# sprite, saved while the program runs in every way editors save, broken and
# mended. Last the keys, resizing and Escape, on marker shaders that draw
# every Glitter particle as a green point and every Fire particle as a red
# square, on the starting grid moved to the lower left and swaying a little
# with the clock.
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
STATUS=300x24+0+576
SCENE=600x570+0+0

title=$(xdotool getwindowname "$WINDOW")
[ "$title" = Glitter ] && pass "window titled Glitter" || fail "window titled '$title'"
size=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p')
[ "$size" = 600x600 ] && pass "window 600x600" || fail "window $size, expected 600x600"
sleep 2   # the particles' start times spread over the first two seconds
shot && cp "$SHOT" "$E2E_TMP/glitter.png"
check "Glitter draws" at_least 2000 "$SHOT" lit $SCENE
check "Glitter: status line in the lower left" at_least 100 "$SHOT" white $STATUS
keys m && sleep 1 && shot
check "Fire draws" at_least 2000 "$SHOT" lit $SCENE
check "Fire: status line in the lower left" at_least 100 "$SHOT" white $STATUS
changed=$(compare -metric AE "$E2E_TMP/glitter.png" "$SHOT" null: 2>&1)
[ "${changed%%.*}" -gt 5000 ] && pass "the modes differ ($changed pixels)" || fail "the modes look alike ($changed pixels differ)"

# shows NAME CONDITION: within a second of a save, a screenshot shows at
# least 2000 pixels meeting the condition.
shows() {
  local start=${EPOCHREALTIME//[.,]/} taken
  while taken=$((${EPOCHREALTIME//[.,]/} - start)); [ "$taken" -lt 1000000 ]; do
    shot
    [ "$(count "$SHOT" "$2")" -ge 2000 ] && { pass "$1 ($((taken / 1000)) ms after the save)"; return; }
  done
  fail "$1: not on screen a second after the save"
}
# said TEXT: stderr holds the line TEXT exactly as often as expected so far.
said() {
  local times
  times=$(tr -d '\r' <"$GLITTER_STDERR" | grep -cxF "$1")
  [ "$times" -eq "$2" ] && pass "stderr: '$1' x$2" || fail "stderr has '$1' $times times, expected $2: $(cat "$GLITTER_STDERR")"
}
solid() { printf '#version 110\nvoid main() { gl_FragColor = vec4(%s, 1.0); }\n' "$1"; }
GREEN='#00FF00' BLUE='#0000FF' RED='#FF0000' MAGENTA='#FF00FF'
KEEP_FIRE="Reload failed: the previous Fire shaders stay in use"

solid "0.0, 1.0, 0.0" >fire.frag
shows "a fragment shader written in place" "$GREEN"
printf '#version 110\nvoid main() { gl_FragColor = vec4(1.0) }\n' >fire.frag
sleep 1 && shot
said "fire.frag:" 1 && said "Error compiling fire.frag" 1 && said "$KEEP_FIRE" 1
kill -0 "$GLITTER_PID" && pass "alive after a broken shader" || die "died of a broken shader"
check "a broken shader leaves the picture as it was" at_least 2000 "$SHOT" "$GREEN"
solid "0.0, 0.0, 1.0" >fire.frag.new && mv fire.frag.new fire.frag
shows "a shader saved by renaming a new file over the old" "$BLUE"
rm fire.frag && sleep 1
said "Cannot open text file fire.frag" 1 && said "$KEEP_FIRE" 2
sleep 0.5 && said "Cannot open text file fire.frag" 1
solid "1.0, 0.0, 0.0" >fire.frag
shows "a deleted shader written anew" "$RED"

# The sprite: a fragment shader that shows it as it is, then other images.
printf '#version 110\nuniform sampler2D img;\nvoid main() { gl_FragColor = texture2D(img, gl_TexCoord[0].st); }\n' >fire.frag
sleep 1
convert -size 8x8 xc:magenta -type TrueColor BMP3:particle.bmp
shows "a new sprite image" "$MAGENTA"
echo "not an image" >particle.bmp && sleep 1 && shot
said "Image magic not BMP in particle.bmp" 1 && said "Reload failed: the previous sprite stays in use" 1
check "a broken image leaves the sprite as it was" at_least 2000 "$SHOT" "$MAGENTA"

# The markers, for the keys.
marker() {
  printf '#version 110\nuniform float time;\nvoid main() {\n'
  printf '  gl_Position = gl_ModelViewProjectionMatrix * (gl_Vertex + vec4(-1.5 + 0.1 * sin(4.0 * time), -1.5, 0.0, 0.0));\n'
  printf '  gl_FrontColor = vec4(%s, 1.0);\n}\n' "$1"
}
marker "1.0, 0.0, 0.0" >fire.vert
printf '#version 110\nvoid main() { gl_FragColor = gl_Color; }\n' >fire.frag
keys m
marker "0.0, 1.0, 0.0" >confetti.vert
shows "the Glitter shader written in place" "$GREEN"

X_AXIS=181x11+310+294        # from just right of the centre to the X tip
X_TIP=31x11+465+294          # its last 35 pixels
check "the axes are shown" at_least 120 "$SHOT" white $X_AXIS
check "the X axis is 2 units long" at_least 25 "$SHOT" white $X_TIP
check "the X axis is labelled" at_least 20 "$SHOT" white 16x16+501+284
keys a && shot
check "a hides the axes" at_most 15 "$SHOT" white $X_AXIS
keys A && shot
check "A shows them again" at_least 120 "$SHOT" white $X_AXIS
# 10 Page Down widen the box to 4 units: the axis ends 150 pixels out.
keys $(printf 'Next %.0s' {1..10}) && shot
check "Page Down zooms out" at_most 5 "$SHOT" white $X_TIP
keys $(printf 'Prior %.0s' {1..10}) m && shot
check "m switches to Fire: red squares" at_least 2000 "$SHOT" "$RED"
check "m switches to Fire: no green points" at_most 0 "$SHOT" "$GREEN"
keys M && shot
check "M switches back to Glitter" at_least 2000 "$SHOT" "$GREEN"

# At 300 x 200 one unit is 200 / 6 pixels: the X axis runs 67 pixels right
# from (150, 100).
xdotool windowsize --sync "$WINDOW" 300 200 && sleep 0.5 && shot
check "the view follows a resize" at_least 40 "$SHOT" white 55x7+155+96
check "nothing past the scaled X tip" at_most 5 "$SHOT" white 60x7+235+96
xdotool windowsize --sync "$WINDOW" 1 1 && sleep 0.5
kill -0 "$GLITTER_PID" && pass "alive at 1x1" || die "the program died at 1x1"
xdotool windowsize --sync "$WINDOW" 600 600 && sleep 0.5 && shot
cp "$SHOT" "$E2E_TMP/before.png"
sleep 0.3 && shot
changed=$(compare -metric AE "$E2E_TMP/before.png" "$SHOT" null: 2>&1)
[ "${changed%%.*}" -gt 100 ] 2>/dev/null && pass "still animating ($changed pixels changed)" ||
  fail "frames stopped changing ($changed pixels changed)"
escape_ends
grep -q "ERROR" "$GLITTER_STDERR" && fail "GL errors on stderr: $(grep ERROR "$GLITTER_STDERR")"
said "Reload failed: the previous Glitter shaders stay in use" 0
finish

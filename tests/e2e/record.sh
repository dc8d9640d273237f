#!/usr/bin/env bash
# Recordings through the real program (--record): a GIF of the right number
# of frames, 600 x 600, 30 a second, that moves from frame to frame, and the
# same bytes again from a second run; the path printed on stdout, nothing on
# stderr; a failed write said in one line. (The bad command lines are
# startup.sh's.)
# Usage: record.sh GLITTER_BINARY ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

# recorded NAME FRAMES: the last run wrote NAME, said so and nothing else,
# and NAME holds FRAMES frames of 600 x 600 whose delays add up to FRAMES / 30 s.
recorded() {
  local frames sizes hundredths
  [ "$RUN_STATUS" -eq 0 ] || { echo "status $RUN_STATUS: $(head -c 300 "$RUN_STDERR")"; return 1; }
  [ "$(tr -d '\r' <"$RUN_STDOUT")" = "$1" ] || { echo "stdout '$(head -c 200 "$RUN_STDOUT")'"; return 1; }
  [ -s "$RUN_STDERR" ] && { echo "stderr: $(head -c 300 "$RUN_STDERR")"; return 1; }
  frames=$(identify -format '%w %h %T\n' "$dir/$1") || { echo "identify cannot read $1"; return 1; }
  sizes=$(cut -d' ' -f1,2 <<<"$frames" | sort -u | tr '\n' ' ')
  hundredths=$(awk '{ sum += $3 } END { print sum }' <<<"$frames")
  echo "$(wc -l <<<"$frames") frames, sizes $sizes, $hundredths hundredths of a second"
  [ "$(wc -l <<<"$frames")" -eq "$2" ] && [ "$sizes" = "600 600 " ] && [ "$hundredths" -eq $(($2 * 10 / 3)) ]
}

# moves NAME: every twentieth frame from 0.5 s on (before, the fire is still
# catching) differs from the one after it in many pixels. The frames are
# taken out of the GIF in one pass: ImageMagick reads a GIF from its start
# for every frame asked for.
moves() {
  local count k first=() n least=
  count=$(identify "$dir/$1" | wc -l)
  for ((k = 15; k + 1 < count; k += 20)); do first+=("$k"); done
  rm -f "$E2E_TMP"/frame-*.png
  # Each frame is written under its own number.
  convert "$dir/$1[$(for k in "${first[@]}"; do echo -n "$k,$((k + 1)),"; done)]" "$E2E_TMP/frame-%d.png" ||
    { echo "cannot read $1"; return 1; }
  for k in "${first[@]}"; do
    n=$(compare -metric AE "$E2E_TMP/frame-$k.png" "$E2E_TMP/frame-$((k + 1)).png" null: 2>&1)
    n=${n%% *}
    [ -z "$least" ] || [ "${n%.*}" -lt "$least" ] && least=${n%.*}
  done
  echo "at least $least pixels differ between neighbouring frames, in ${#first[@]} pairs"
  [ "${least:-0}" -ge 50 ]
}

start_xvfb
dir=$(make_workdir)
run_to_exit "$dir" "" --record glitter.gif
check "4 s of Glitter by default" recorded glitter.gif 120
check "and it moves" moves glitter.gif
mv "$dir/glitter.gif" "$E2E_TMP/first.gif"
run_to_exit "$dir" "" --record glitter.gif
check "a second recording" recorded glitter.gif 120
cmp -s "$E2E_TMP/first.gif" "$dir/glitter.gif" && pass "is the same bytes" || fail "the two recordings differ"
run_to_exit "$dir" "" --mode fire --seconds 1.5 --record fire.gif
check "1.5 s of Fire" recorded fire.gif 45
check "and it moves" moves fire.gif
# A device that takes no bytes, as a full disk would: a private copy of
# /dev/full where one can be made (as root), so that no fault can harm the
# system's own.
full=$E2E_TMP/full
mknod -m 666 "$full" c 1 7 2>/dev/null || full=/dev/full
if [[ $GLITTER != *.exe ]]; then
  run_to_exit "$dir" "" --record "$full"
  [ "$RUN_STATUS" -eq 1 ] && [ "$(cat "$RUN_STDERR")" = "Cannot write GIF file $full: No space left on device" ] &&
    pass "a write that fails: one line, status 1" || fail "into $full: status $RUN_STATUS, $(head -c 300 "$RUN_STDERR")"
  [ -c "$full" ] && pass "and the device is left alone" || fail "$full is gone"
fi
finish

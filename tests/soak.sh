#!/usr/bin/env bash
# Soak run: keeps Glitter busy under its own X server for SOAK_SECONDS
# (default 600) with random keys, mode switches, window resizes down to 1 x 1
# and a shader saved every two seconds (every fifth time confetti.vert is
# taken away for two seconds, which the program reports once), then quits it
# with Escape. Fails if the program dies, writes anything else to stderr,
# does not exit 0 on Escape, or if its resident memory at 600 x 600 grows by
# more than 2 MiB after the warm-up (the first minute, or the first third of
# a shorter run).
# Usage: soak.sh GLITTER_BINARY ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/e2e/lib.sh"

SOAK_SECONDS=${SOAK_SECONDS:-600}
WARMUP_SECONDS=$((SOAK_SECONDS / 3 < 60 ? SOAK_SECONDS / 3 : 60))
MAX_GROWTH_KB=2048
# The keys the program knows, weighted towards the view keys, some it must
# ignore, and the mode keys. Never Escape: that ends the run.
KEYS=(Up Down Left Right Prior Next Up Down Left Right Prior Next 0 a A m M x space Tab Home F1 shift+a ctrl+m)
SIZES=("1 1" "1 600" "600 1" "3 7" "1023 1" "17 333" "800 500" "300 200")
GONE="Cannot open text file confetti.vert"
KEPT="Reload failed: the previous Glitter shaders stay in use"

stop_with() {
  kill -0 "$GLITTER_PID" 2>/dev/null || { wait "$GLITTER_PID"; echo "the program died with status $?" >&2; GLITTER_PID=; }
  die "after $SECONDS s: $*; stderr: $(head -c 2000 "$GLITTER_STDERR")"
}
healthy() {
  kill -0 "$GLITTER_PID" 2>/dev/null || stop_with "the program died"
  ! grep -vxF -e "$GONE" -e "$KEPT" "$GLITTER_STDERR" >/dev/null || stop_with "it wrote to stderr"
}
# Resident memory at the start size, after the frame buffers have settled.
# glibc would keep the buffers that resizes free inside its heap, where their
# fragments swing the resident size by megabytes: MALLOC_MMAP_THRESHOLD_
# (below) keeps large ones in mappings of their own, returned on free.
rss_at_start_size() {
  timeout 5 xdotool windowsize "$WINDOW" 600 600 || stop_with "xdotool could not resize"
  sleep 1
  healthy
  awk '/^VmRSS:/ { print $2 }' "/proc/$GLITTER_PID/status"
}
save_a_shader() {
  saves=$((saves + 1))
  if [ -e "$E2E_TMP/confetti.vert" ]; then
    mv "$E2E_TMP/confetti.vert" "$dir/"
  elif ((saves % 5 == 0)); then
    mv "$dir/confetti.vert" "$E2E_TMP/" && removals=$((removals + 1))
  else
    local file=$([ $((saves % 2)) = 0 ] && echo fire.frag || echo confetti.vert)
    { cat "$ASSET_DIR/$file"; echo "// save $saves"; } >"$dir/$file"
  fi
}

start_xvfb
dir=$(make_workdir)
MALLOC_MMAP_THRESHOLD_=131072 start_glitter "$dir"
keysSent=0 resizes=0 saves=0 removals=0 baseline= lastSecond=0
while [ "$SECONDS" -lt "$SOAK_SECONDS" ]; do
  [ -z "$baseline" ] && [ "$SECONDS" -ge "$WARMUP_SECONDS" ] && baseline=$(rss_at_start_size)
  if ((RANDOM % 12 == 0)); then
    size=${SIZES[RANDOM % ${#SIZES[@]}]}
    timeout 5 xdotool windowsize "$WINDOW" $size || stop_with "xdotool could not resize to $size"
    resizes=$((resizes + 1))
  else
    batch=("${KEYS[RANDOM % ${#KEYS[@]}]}" "${KEYS[RANDOM % ${#KEYS[@]}]}")
    timeout 5 xdotool key --window "$WINDOW" --delay 2 "${batch[@]}" || stop_with "xdotool could not send ${batch[*]}"
    keysSent=$((keysSent + 2))
  fi
  sleep "0.0$((2 + RANDOM % 8))"
  if [ "$SECONDS" -ne "$lastSecond" ]; then
    lastSecond=$SECONDS
    ((SECONDS % 2 == 0)) && save_a_shader
    healthy
  fi
done
[ -e "$E2E_TMP/confetti.vert" ] && sleep 1 && mv "$E2E_TMP/confetti.vert" "$dir/"   # once it has been reported
end=$(rss_at_start_size)
echo "Soak: $SOAK_SECONDS s, $keysSent keys, $resizes resizes, $saves saves ($removals removals);" \
  "RSS after warm-up ${baseline} kB, at the end ${end} kB"
[ $((end - baseline)) -le "$MAX_GROWTH_KB" ] && pass "memory grew $((end - baseline)) kB after the warm-up" ||
  fail "resident memory grew by $((end - baseline)) kB after the warm-up (limit $MAX_GROWTH_KB kB)"
escape_ends
reported=$(grep -cxF "$KEPT" "$GLITTER_STDERR")
[ "$reported" -eq "$removals" ] && pass "each of $removals removals reported once" ||
  fail "$removals removals of confetti.vert reported $reported times"
finish

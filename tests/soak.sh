#!/usr/bin/env bash
# Soak run: keeps Glitter busy under its own X server for SOAK_SECONDS
# (default 600) with random keys, mode switches, window resizes down to 1 x 1
# and a shader saved every two seconds (every fifth time confetti.vert is
# taken away for two seconds instead, which the program reports), then quits
# it with Escape. Fails if the program dies, writes anything else to stderr,
# does not exit 0 on Escape, or if its resident memory at 600 x 600 grows by
# more than 4 MiB after a warm-up that has taken it through every window size
# and every key in both modes, and has built every version of the shaders
# the run saves: by then the GL driver's and the allocator's pools are as
# large as the run will make them, and what grows after is a leak.
# Usage: soak.sh GLITTER_BINARY ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/e2e/lib.sh"

SOAK_SECONDS=${SOAK_SECONDS:-600}
MAX_GROWTH_KB=4096
# The keys the program knows, weighted towards the view keys, some it must
# ignore, and the mode keys. Never Escape: that ends the run.
KEYS=(Up Down Left Right Prior Next Up Down Left Right Prior Next 0 a A m M x space Tab Home F1 shift+a ctrl+m)
SIZES=("1 1" "1 600" "600 1" "3 7" "1023 1" "17 333" "800 500" "300 200")
EXPECTED=("Cannot open text file confetti.vert" "Reload failed: the previous Glitter shaders stay in use")

healthy() {
  kill -0 "$GLITTER_PID" 2>/dev/null || die "after $SECONDS s the program died: $(head -c 2000 "$GLITTER_STDERR")"
  ! grep -vxF "${EXPECTED[@]/#/-e}" "$GLITTER_STDERR" >/dev/null || die "it wrote to stderr: $(head -c 2000 "$GLITTER_STDERR")"
}
# Resident memory at the start size, after the frame buffers have settled.
# glibc would keep the buffers that resizes free inside its heap, where their
# fragments swing the resident size by megabytes: MALLOC_MMAP_THRESHOLD_
# (below) keeps large ones in mappings of their own, returned on free.
rss_at_start_size() {
  timeout 5 xdotool windowsize "$WINDOW" 600 600 && sleep 1 && healthy || die "xdotool could not resize"
  awk '/^VmRSS:/ { print $2 }' "/proc/$GLITTER_PID/status"
}
save_a_shader() {
  saves=$((saves + 1))
  if [ -e "$E2E_TMP/confetti.vert" ]; then
    mv "$E2E_TMP/confetti.vert" "$dir/"
  elif ((saves % 5 == 0)); then
    mv "$dir/confetti.vert" "$E2E_TMP/"
  else
    # One of three versions of each file, so that the driver's caches of
    # compiled shaders stop growing once the warm-up has built them all.
    # Written in place, as most editors save.
    local file=$([ $((saves % 2)) = 0 ] && echo fire.frag || echo confetti.vert)
    printf '%s\n// version %d\n' "$(<"$ASSET_DIR/$file")" $((saves / 2 % 3)) >"$dir/$file"
  fi
}

warm_up() {
  local mode size
  for mode in Glitter Fire; do
    for size in "${SIZES[@]}"; do
      timeout 5 xdotool windowsize "$WINDOW" $size || die "xdotool could not resize"
      save_a_shader
      keys "${KEYS[@]}"
      sleep 0.3
    done
    keys m
  done
}

start_xvfb
dir=$(make_workdir)
# Mesa's cache of compiled shaders on disk is left out: it would make this
# run depend on the ones before it.
MESA_SHADER_CACHE_DISABLE=true MALLOC_MMAP_THRESHOLD_=131072 start_glitter "$dir"
saves=0 lastSecond=0
warm_up
baseline=$(rss_at_start_size)
while [ "$SECONDS" -lt "$SOAK_SECONDS" ]; do
  if ((RANDOM % 12 == 0)); then
    timeout 5 xdotool windowsize "$WINDOW" ${SIZES[RANDOM % ${#SIZES[@]}]} || die "xdotool could not resize"
  else
    keys "${KEYS[RANDOM % ${#KEYS[@]}]}" "${KEYS[RANDOM % ${#KEYS[@]}]}"
  fi
  sleep "0.0$((2 + RANDOM % 8))"
  if [ "$SECONDS" -ne "$lastSecond" ]; then
    lastSecond=$SECONDS
    ((SECONDS % 2 == 0)) && save_a_shader
    healthy
  fi
done
end=$(rss_at_start_size)
echo "Soak: $SOAK_SECONDS s, $saves saves; RSS after warm-up $baseline kB, at the end $end kB"
[ $((end - baseline)) -le "$MAX_GROWTH_KB" ] && pass "memory grew $((end - baseline)) kB after the warm-up" ||
  fail "resident memory grew by $((end - baseline)) kB after the warm-up (limit $MAX_GROWTH_KB kB)"
escape_ends
finish

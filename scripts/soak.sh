#!/usr/bin/env bash
# Soak run: keeps Glitter busy under its own X server for SOAK_SECONDS
# (default 600) with a stream of random keys, mode switches and window
# resizes down to 1 x 1, and shaders saved anew every two seconds (now and
# then with the Glitter shader gone for a second, which the program reports),
# then quits it with Escape. Fails if the program dies, writes anything else
# to stderr, does not exit 0 on Escape, or if its resident memory grows by
# more than 2 MiB after the warm-up (the first minute, or the first third of
# a shorter run).
# Usage: soak.sh GLITTER_BINARY [ASSET_DIR]   (assets default to the binary's folder)
# SOAK_TRACE=FILE appends "seconds RSS-kB" once a second, to see a trend.
set -u
[ $# -ge 1 ] || { echo "usage: $0 GLITTER_BINARY [ASSET_DIR]" >&2; exit 2; }
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "${2:-$(dirname "$GLITTER")}")
source "$(dirname "$0")/../tests/e2e/lib.sh"

SOAK_SECONDS=${SOAK_SECONDS:-600}
WARMUP_SECONDS=$((SOAK_SECONDS / 3 < 60 ? SOAK_SECONDS / 3 : 60))
MAX_GROWTH_KB=2048

# The keys the program knows, weighted towards the view keys, plus some it
# must ignore. Never Escape: that ends the run, and is sent once at the end.
VIEW_KEYS=(Up Down Left Right Up Down Left Right Prior Next Prior Next 0 a A)
MODE_KEYS=(m M)
OTHER_KEYS=(x q z 5 space Tab Return BackSpace Home End Insert F1 F5 KP_Add shift+a ctrl+m)
# Odd sizes first: slivers and single pixels, then anything on the screen.
ODD_SIZES=("1 1" "1 600" "600 1" "2 2" "3 7" "1023 1" "17 333")

rss_kb() {
  awk '/^VmRSS:/ { print $2 }' "/proc/$GLITTER_PID/status" 2>/dev/null
}

stop_with() {
  echo "SOAK FAILED after $(($(date +%s) - startTime)) s: $*" >&2
  exit 1
}

check_health() {
  if ! kill -0 "$GLITTER_PID" 2>/dev/null; then
    wait "$GLITTER_PID"
    local status=$?
    GLITTER_PID=
    stop_with "the program died (exit status $status); stderr: $(head -c 2000 "$GLITTER_STDERR")"
  fi
  if grep -vxF -e "Cannot open text file confetti.vert" -e "$KEEP_GLITTER" "$GLITTER_STDERR" >/dev/null; then
    stop_with "the program wrote to stderr:
$(head -c 2000 "$GLITTER_STDERR")"
  fi
}

# Saves fire.frag or confetti.vert with a new last line, or takes
# confetti.vert away for a second, every fifth time.
KEEP_GLITTER="Reload failed: the previous Glitter shaders stay in use"
save_a_shader() {
  saves=$((saves + 1))
  if [ -e "$E2E_TMP/confetti.vert" ]; then
    mv "$E2E_TMP/confetti.vert" "$dir/"
  elif ((saves % 5 == 0)); then
    mv "$dir/confetti.vert" "$E2E_TMP/"
    removals=$((removals + 1))
  else
    local file=$([ $((saves % 2)) = 0 ] && echo fire.frag || echo confetti.vert)
    { cat "$ASSET_DIR/$file"; echo "// save $saves"; } >"$dir/$file"
  fi
}

# Gives the window its start size again and lets the frame buffers settle,
# so the two memory readings compare like with like. Sets measuredRss.
measure_at_start_size() {
  timeout 5 xdotool windowsize "$WINDOW" 600 600 2>/dev/null || stop_with "xdotool could not resize to 600 600"
  sleep 1
  check_health
  measuredRss=$(rss_kb)
}

random_pick() {
  local -n list=$1
  echo "${list[RANDOM % ${#list[@]}]}"
}

send_random_keys() {
  local count=$((1 + RANDOM % 4)) batch=() key i
  for ((i = 0; i < count; i++)); do
    case $((RANDOM % 10)) in
      0) key=$(random_pick MODE_KEYS); modeSwitches=$((modeSwitches + 1)) ;;
      1 | 2) key=$(random_pick OTHER_KEYS) ;;
      *) key=$(random_pick VIEW_KEYS) ;;
    esac
    batch+=("$key")
  done
  if ! timeout 5 xdotool key --window "$WINDOW" --delay 2 "${batch[@]}" 2>/dev/null; then
    check_health
    stop_with "xdotool could not send keys (${batch[*]})"
  fi
  keysSent=$((keysSent + count))
}

resize_randomly() {
  local size
  if ((RANDOM % 3 == 0)); then
    size=$(random_pick ODD_SIZES)
  else
    size="$((1 + RANDOM % 1024)) $((1 + RANDOM % 768))"
  fi
  if ! timeout 5 xdotool windowsize "$WINDOW" $size 2>/dev/null; then
    check_health
    stop_with "xdotool could not resize to $size"
  fi
  resizes=$((resizes + 1))
}

start_xvfb
dir=$(make_workdir)
# glibc normally raises its mmap threshold after freeing a large block, so
# the frame buffers that every resize frees and reallocates end up in the
# heap, where fragmentation moves the resident size by a few MiB either way
# depending on the last sizes seen. Holding the threshold at its initial
# 128 KiB keeps large buffers in their own mappings, returned on free, so
# what remains in the resident size is what the program actually keeps.
MALLOC_MMAP_THRESHOLD_=131072 start_glitter "$dir"

startTime=$(date +%s)
endTime=$((startTime + SOAK_SECONDS))
warmupEnd=$((startTime + WARMUP_SECONDS))
keysSent=0 modeSwitches=0 resizes=0 saves=0 removals=0
firstRss=$(rss_kb) baselineRss= peakRss=$firstRss lastCheck=0
echo "Soaking $GLITTER for $SOAK_SECONDS s (memory baseline after $WARMUP_SECONDS s), RSS at start ${firstRss} kB"

while now=$(date +%s); [ "$now" -lt "$endTime" ]; do
  if [ -z "$baselineRss" ] && [ "$now" -ge "$warmupEnd" ]; then
    measure_at_start_size
    baselineRss=$measuredRss
    echo "RSS after warm-up: ${baselineRss} kB"
  fi
  if ((RANDOM % 12 == 0)); then resize_randomly; else send_random_keys; fi
  sleep "0.0$((2 + RANDOM % 8))"
  if [ "$now" -ne "$lastCheck" ]; then
    lastCheck=$now
    ((now % 2 == 0)) && save_a_shader
    check_health
    rss=$(rss_kb)
    [ -n "$rss" ] && [ "$rss" -gt "$peakRss" ] && peakRss=$rss
    [ -n "${SOAK_TRACE:-}" ] && echo "$((now - startTime)) $rss" >>"$SOAK_TRACE"
  fi
done

if [ -z "$baselineRss" ]; then
  measure_at_start_size
  baselineRss=$measuredRss
fi
measure_at_start_size
endRss=$measuredRss
[ "$endRss" -gt "$peakRss" ] && peakRss=$endRss
growth=$((endRss - baselineRss))

echo "Soak summary: ${SOAK_SECONDS} s, ${keysSent} keys sent (${modeSwitches} mode switches), ${resizes} resizes, $saves shader saves"
echo "RSS: start ${firstRss} kB, after warm-up ${baselineRss} kB, end ${endRss} kB, peak ${peakRss} kB, growth ${growth} kB"
[ "$growth" -le "$MAX_GROWTH_KB" ] ||
  fail "resident memory grew by ${growth} kB after the warm-up (limit ${MAX_GROWTH_KB} kB)"
escape_ends
reported=$(grep -cxF "$KEEP_GLITTER" "$GLITTER_STDERR")
[ "$reported" -eq "$removals" ] || fail "$removals removals of confetti.vert reported $reported times"
finish

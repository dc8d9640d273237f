#!/usr/bin/env bash
# Shows what Glitter looks like without a display: runs it on a private Xvfb
# and saves a still and a short animated GIF of each mode.
#   scripts/screenshots.sh RUN_DIR OUT_DIR
# RUN_DIR holds the glitter binary and its assets; OUT_DIR receives
# glitter.png, glitter.gif, fire.png and fire.gif. Prints the files it made.
set -euo pipefail
export LC_ALL=C   # EPOCHREALTIME with a decimal point

if [ $# -ne 2 ]; then
    echo "usage: $0 RUN_DIR OUT_DIR" >&2
    exit 2
fi
run_dir=$(cd "$1" && pwd)
mkdir -p "$2"
out_dir=$(cd "$2" && pwd)
source "$(dirname "$0")/xvfb_session.sh"

Settle=2.5          # seconds of animation before the still of each mode
GifFrames=36        # frames per GIF ...
GifIntervalUs=100000  # ... taken about every 100 ms: a 3.6 s loop
GifSize=300x300     # half size keeps each GIF small

work_dir=$(mktemp -d)
glitter_pid=""
cleanup() {
    stop_program_and_xvfb "$glitter_pid"
    rm -rf "$work_dir"
}
trap cleanup EXIT

now_us() {
    echo "${EPOCHREALTIME/./}"
}

# Grabs GifFrames frames of window ID into an animated GIF at PATH, its frame
# delay set from the time the grabs actually took so it plays at real speed.
capture_gif() {
    local id=$1 path=$2 frames_dir="$work_dir/frames" start now next i
    rm -rf "$frames_dir"
    mkdir -p "$frames_dir"
    start=$(now_us)
    for ((i = 0; i < GifFrames; i++)); do
        next=$((start + (i + 1) * GifIntervalUs))
        import -window "$id" -resize "$GifSize" "$frames_dir/$(printf '%03d' "$i").png"
        now=$(now_us)
        if ((now < next)); then
            sleep "$(printf '0.%06d' $((next - now)))"
        fi
    done
    local centiseconds=$((($(now_us) - start) / GifFrames / 10000))
    convert -delay "$centiseconds" -loop 0 "$frames_dir"/*.png -layers Optimize "$path"
}

start_private_xvfb
cd "$run_dir"
./glitter 2>"$work_dir/stderr" &
glitter_pid=$!
window=$(find_window Glitter)
# With no window manager to place it, the window starts at (-1, -1) and
# would lose a row and a column off the screen's edge.
xdotool windowmove --sync "$window" 0 0

sleep "$Settle"
import -window "$window" "$out_dir/glitter.png"
capture_gif "$window" "$out_dir/glitter.gif"

send_key "$window" m
sleep "$Settle"
import -window "$window" "$out_dir/fire.png"
capture_gif "$window" "$out_dir/fire.gif"

send_key "$window" Escape
status=0
wait "$glitter_pid" || status=$?
glitter_pid=""
if [ -s "$work_dir/stderr" ]; then
    echo "glitter wrote to stderr:" >&2
    cat "$work_dir/stderr" >&2
fi
if [ "$status" -ne 0 ]; then
    echo "glitter exited with status $status after Escape (expected 0)" >&2
    exit 1
fi
for f in glitter.png glitter.gif fire.png fire.gif; do
    echo "$out_dir/$f"
done

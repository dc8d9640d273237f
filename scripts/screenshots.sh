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
source "$(dirname "$0")/capture.sh"

capture_dir=$(mktemp -d)
glitter_pid=""
cleanup() {
    stop_program_and_xvfb "$glitter_pid"
    rm -rf "$capture_dir"
}
trap cleanup EXIT

start_private_xvfb
start_glitter "$run_dir/glitter" "$run_dir"
capture_window "$out_dir/glitter.png" "$out_dir/glitter.gif"
send_key "$glitter_window" m
capture_window "$out_dir/fire.png" "$out_dir/fire.gif"
stop_glitter
for f in glitter.png glitter.gif fire.png fire.gif; do
    echo "$out_dir/$f"
done

#!/usr/bin/env bash
# Shows what Glitter looks like without a display: on a private Xvfb,
# records the first 4 s of each mode into an animated GIF (glitter
# --record), then runs it and saves a still of each mode, one of a mistyped
# fire.frag saved while it runs, and one of the knob panel with two of
# Fire's knobs turned.
#   scripts/screenshots.sh RUN_DIR OUT_DIR
# RUN_DIR holds the glitter binary and its assets (a copy of them is used);
# OUT_DIR receives glitter.png, glitter.gif, fire.png, fire.gif,
# reload-error.png and knobs.png. Prints the files it made.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 RUN_DIR OUT_DIR" >&2
    exit 2
fi
run_dir=$(cd "$1" && pwd)
mkdir -p "$2"
out_dir=$(cd "$2" && pwd)
source "$(dirname "$0")/capture.sh"

start_private_xvfb
cp -RL "$run_dir" "$capture_dir/run"
record_gif "$capture_dir/run/glitter" "$capture_dir/run" "$out_dir/glitter.gif"
record_gif "$capture_dir/run/glitter" "$capture_dir/run" "$out_dir/fire.gif" --mode fire
start_glitter "$capture_dir/run/glitter" "$capture_dir/run"
capture_still "$out_dir/glitter.png"
send_key "$glitter_window" m
capture_still "$out_dir/fire.png"
sed -i 's/\* glow)/* glw)/' "$capture_dir/run/fire.frag"
sleep 1
import -window "$glitter_window" "$out_dir/reload-error.png"
cp -L "$run_dir/fire.frag" "$capture_dir/run/fire.frag"
sleep 1
# The panel, Wind turned up twelve steps and Flame's blue twenty.
for key in k Tab $(printf 'plus %.0s' {1..12}) Tab Tab Tab $(printf 'plus %.0s' {1..20}); do
    send_key "$glitter_window" "$key"
done
sleep "$Settle"
import -window "$glitter_window" "$out_dir/knobs.png"
stop_glitter 2>/dev/null || true   # the mistake's messages are expected
for f in glitter.png glitter.gif fire.png fire.gif reload-error.png knobs.png; do
    echo "$out_dir/$f"
done

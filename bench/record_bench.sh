#!/usr/bin/env bash
# Times the desktop recorder: `glitter --record` of 4 s of Glitter mode
# (120 frames of 600 x 600) on a private Xvfb and Mesa's software renderer,
# RUNS times (default 3), each from launch to exit, and prints the result
# as a section of the benchmark report (Markdown), against the target of at
# most 10 s:
#   bench/record_bench.sh GLITTER [RUNS]
set -euo pipefail
export LC_ALL=C   # EPOCHREALTIME with a decimal point
[ $# -ge 1 ] || { echo "usage: $0 GLITTER [RUNS]" >&2; exit 2; }
glitter=$(realpath "$1")
runs=${2:-3}
here=$(cd "$(dirname "$0")" && pwd)
TargetSeconds=10

source "$here/../scripts/xvfb_session.sh"
work=$(mktemp -d)
trap 'stop_private_xvfb; rm -rf "$work"' EXIT
cp -L "$here"/../assets/* "$work"/
start_private_xvfb
cd "$work"
times=()
for ((run = 1; run <= runs; run++)); do
  start=$EPOCHREALTIME
  "$glitter" --record glitter.gif >/dev/null
  times+=("$(awk -v end="$EPOCHREALTIME" -v start="$start" 'BEGIN { printf "%.3f", end - start }')")
  echo "recording $run of $runs: ${times[-1]} s" >&2
done
frames=$(identify glitter.gif | wc -l)
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$((runs / 2))]} slowest=${sorted[-1]}
verdict=$(awk -v slowest="$slowest" -v target=$TargetSeconds 'BEGIN { print slowest <= target ? "met" : "not met" }')
cat <<REPORT

## Recording a GIF

\`glitter --record glitter.gif\`: 4 s of Glitter mode, $frames frames of 600 × 600, $(du -k glitter.gif | cut -f1) KiB,
$runs runs, each timed from launch to exit (start-up, drawing, reading back, quantising, writing).

| Median (s) | Slowest (s) | Target: at most $TargetSeconds s |
| ---: | ---: | --- |
| $(printf '%.2f' "$median") | $(printf '%.2f' "$slowest") | $verdict |
REPORT

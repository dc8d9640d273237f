#!/usr/bin/env bash
# Benchmarks Glitter under Xvfb and Mesa's software renderer, measured from
# outside through the swap_timer preload library:
#   bench/run_bench.sh BUILD_DIR [MARKDOWN_OUT...]
# For each mode: frames per second over BENCH_SECONDS (default 10), frame
# time median and 99th percentile, and peak resident memory; for the program:
# time from launch to the first swapped frame. A baseline program (clear,
# status line, swap) is measured the same way, and each mode's rate is shown
# as a share of it. Then the frame-path allocation check runs once more.
# Prints the table and writes it as Markdown to each MARKDOWN_OUT.
set -euo pipefail
export LC_ALL=C

if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [MARKDOWN_OUT...]" >&2
    exit 2
fi
build_dir=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/xvfb_session.sh"
source "$here/measure_session.sh"

Seconds=${BENCH_SECONDS:-10}   # measured seconds per mode
Warmup=1                       # seconds to settle before each measurement
lib="$build_dir/bench/libglitter_swap_timer.so"
run_dir="$build_dir/run"
for f in "$lib" "$run_dir/glitter" "$run_dir/baseline_frame"; do
    if [ ! -e "$f" ]; then
        echo "$0: $f is missing: build $build_dir first" >&2
        exit 1
    fi
done

work_dir=$(mktemp -d)
measured_pid=""
cleanup() {
    stop_program_and_xvfb "$measured_pid"
    rm -rf "$work_dir"
}
trap cleanup EXIT

# Runs PROGRAM (window TITLE) through MODES measured modes; its report goes
# to LOG, the peak RSS after each mode to LOG.rss.
measure_program() {
    local program=$1 title=$2 modes=$3 log=$4 window
    echo "measuring $program: $modes mode(s), ${Seconds}s each" >&2
    launch_measured "$lib" "$run_dir" "$program" "$log" 0
    window=$(find_window "$title")
    run_phases "$window" "$modes" "$Warmup" "$Seconds"
    echo "$rss_after_mode1 $rss_after_mode2" >"$log.rss"
    quit_measured "$window"
    measured_pid=""
    if [ -s "$log.stderr" ]; then
        echo "$program wrote to stderr:" >&2
        cat "$log.stderr" >&2
    fi
}

# Other work on the machine slows every number here: note how busy it was.
load_before=$(cut -d ' ' -f 1-3 /proc/loadavg)
start_private_xvfb
measure_program baseline_frame "Glitter baseline" 1 "$work_dir/baseline"
measure_program glitter Glitter 2 "$work_dir/glitter"
stop_private_xvfb

mib() {
    awk -v kb="$1" 'BEGIN { printf "%.1f", kb / 1024 }'
}

baseline_fps=$(phase_field "$work_dir/baseline" 1 fps)

# One table row: NAME LOG PHASE RSS_KB START_MS
table_row() {
    local name=$1 log=$2 phase=$3 rss_kb=$4 start_ms=$5 fps
    fps=$(phase_field "$log" "$phase" fps)
    printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' "$name" "$fps" \
        "$(awk -v a="$fps" -v b="$baseline_fps" 'BEGIN { printf "%.2f", a / b }')" \
        "$(phase_field "$log" "$phase" median_ms)" "$(phase_field "$log" "$phase" p99_ms)" \
        "$start_ms" "$(mib "$rss_kb")" "$(phase_field "$log" "$phase" allocs_per_frame)"
}

read -r glitter_rss fire_rss <"$work_dir/glitter.rss"
read -r baseline_rss <"$work_dir/baseline.rss"
glitter_start=$(report_value "$work_dir/glitter" launch_to_first_swap_ms)
baseline_start=$(report_value "$work_dir/baseline" launch_to_first_swap_ms)
table="$work_dir/table.md"
{
    echo "| Run | Frames/s | × baseline | Median frame (ms) | 99th pct frame (ms) | Launch → first frame (ms) | Peak RSS (MiB) | Allocations/frame (all code) |"
    echo "| --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: |"
    table_row "Baseline (clear, status line, swap)" "$work_dir/baseline" 1 "$baseline_rss" "$baseline_start"
    table_row "Glitter mode (10,000 points)" "$work_dir/glitter" 1 "$glitter_rss" "$glitter_start"
    table_row "Fire mode (225 sprites)" "$work_dir/glitter" 3 "$fire_rss" "— (same run)"
} >"$table"

echo "running the frame-path allocation check" >&2
check_output="$work_dir/alloc_check.txt"
check_verdict=passed
"$here/alloc_check.sh" "$lib" "$run_dir" glitter Glitter >"$check_output" 2>&1 || check_verdict=FAILED

cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
renderer=$(report_value "$work_dir/glitter" renderer)
gl_version=$(report_value "$work_dir/glitter" gl_version)
report="$work_dir/benchmarks.md"
{
    echo "# Benchmarks"
    echo
    echo "Measured by \`make bench\` on $(date -u +%Y-%m-%d) from outside the program: a preloaded library"
    echo "timestamps every \`glXSwapBuffers\` and counts heap allocations (see \`bench/\`)."
    echo "Each mode is measured for ${Seconds} s after ${Warmup} s of warm-up, on an Xvfb display."
    echo
    echo "- CPU: $cpu, $(nproc) cores"
    echo "- Renderer: $renderer; OpenGL $gl_version"
    echo "- System: $(uname -sr), Xvfb $(dpkg-query -W -f='${Version}' xvfb 2>/dev/null || echo '?')"
    echo "- Load average (1, 5, 15 min) just before the run: $load_before"
    echo
    cat "$table"
    echo
    echo "- *× baseline*: the mode's frame rate over that of a program that draws the same window with"
    echo "  only the clear, the status line and the swap (\`bench/baseline_frame.cpp\`)."
    echo "- *Median frame*: half the frames took less. Other processes on the machine preempt the"
    echo "  renderer and drag the mean rate (Frames/s) below 1000 / median; the median moves less."
    echo "- *Launch → first frame*: from just before \`exec\` to the return of the first buffer swap."
    echo "- *Peak RSS*: VmHWM of the process by the end of the mode (Fire runs after Glitter in the"
    echo "  same process). Most of it is Mesa's software renderer: compare the baseline."
    echo "- *Allocations/frame*: every malloc/calloc/realloc in the process, any thread, divided by frames."
    echo
    echo "## Heap allocations in the frame path: $check_verdict"
    echo
    echo "Call stacks of every allocation during two seconds of each mode, each charged to the first"
    echo "caller outside libc/libstdc++ (\`bench/alloc_check.sh\`, also run by \`make test\`):"
    echo
    echo '```'
    cat "$check_output"
    echo '```'
} >"$report"

cat "$table"
echo
sed -n '/^## Heap/,$p' "$report" | grep -v '^```'
for out in "$@"; do
    mkdir -p "$(dirname "$out")"
    cp "$report" "$out"
    echo "wrote $out"
done
[ "$check_verdict" = passed ]

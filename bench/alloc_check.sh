#!/usr/bin/env bash
# Checks that a program's frame path makes no heap allocation of its own.
#   bench/alloc_check.sh [--expect-own-allocations] PRELOAD_LIB RUN_DIR PROGRAM TITLE
# Runs RUN_DIR/PROGRAM (window TITLE) on a private Xvfb under the swap_timer
# library with call-stack tracing, measures each mode for a couple of seconds
# in steady state, and attributes every allocation made meanwhile to the
# first caller outside libc/libstdc++: the program itself, or a library
# (Mesa, freeglut, ...) that the program called. Fails if the program's own
# code allocated, or if too few frames were drawn to tell. With
# --expect-own-allocations the verdict is reversed: the check's own test that
# it catches a program that does allocate.
set -euo pipefail
export LC_ALL=C

expect_own=0
if [ "${1:-}" = --expect-own-allocations ]; then
    expect_own=1
    shift
fi
if [ $# -ne 4 ]; then
    echo "usage: $0 [--expect-own-allocations] PRELOAD_LIB RUN_DIR PROGRAM TITLE" >&2
    exit 2
fi
lib=$(realpath "$1")
run_dir=$(realpath "$2")
program=$3
title=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/xvfb_session.sh"
source "$here/measure_session.sh"

Warmup=1       # seconds of settling before each mode is measured
Seconds=2      # seconds each mode is measured
MinFrames=10   # fewer frames than this in a mode proves nothing

work_dir=$(mktemp -d)
measured_pid=""
cleanup() {
    stop_program_and_xvfb "$measured_pid"
    rm -rf "$work_dir"
}
trap cleanup EXIT

log="$work_dir/report"
start_private_xvfb
launch_measured "$lib" "$run_dir" "$program" "$log" 1
window=$(find_window "$title")
run_phases "$window" 2 "$Warmup" "$Seconds"
quit_measured "$window"
measured_pid=""
if [ ! -s "$log" ]; then
    echo "FAIL: $program wrote no report to $log" >&2
    cat "$log.stderr" >&2
    exit 1
fi

verdict=0
for phase in 1 3; do
    frames=$(phase_field "$log" "$phase" frames)
    echo "mode $(((phase + 1) / 2)): $frames frames, $(phase_field "$log" "$phase" allocs) allocations" \
        "($(phase_field "$log" "$phase" allocs_per_frame) per frame) by all code in the process"
    if [ "${frames:-0}" -lt "$MinFrames" ]; then
        echo "FAIL: only ${frames:-0} frames drawn in mode $(((phase + 1) / 2)); need $MinFrames to judge" >&2
        verdict=1
    fi
done

# "stack COUNT OWNER ENTRY" lines: sum by owner, and name the program's
# function on each stack (the call of the program's that led there).
symbol_of() {
    local offset=$1
    [ "$offset" = - ] && { echo "(not called from the program)"; return; }
    addr2line -f -C -e "$run_dir/$program" "${offset#program+}" | head -n 1
}
dropped=$(awk '$1 == "traced_stacks" { print $4 }' "$log")
echo "allocations during the measured modes, by the code that asked for them:"
awk '$1 == "stack" { print $2, $3, $4 }' "$log" |
    while read -r count owner entry; do
        printf '%s\t%s\t%s\n' "$count" "$owner" "$(symbol_of "$entry")"
    done |
    awk -F '\t' '{ sum[$2 "\t" $3] += $1 } END { for (k in sum) print sum[k] "\t" k }' |
    sort -rn |
    awk -F '\t' '{ printf "  %8d  %-18s via %s\n", $1, $2, $3 }'
own=$(awk '$1 == "stack" && $3 == "program" { n += $2 } END { print n + 0 }' "$log")

if [ "${dropped:-0}" -gt 0 ]; then
    echo "FAIL: $dropped allocations had stacks that did not fit the trace table; cannot attribute them" >&2
    verdict=1
fi
if [ "$expect_own" -eq 1 ]; then
    if [ "$own" -eq 0 ]; then
        echo "FAIL: expected $program's own code to allocate in its frame path, but none was found" >&2
        verdict=1
    else
        echo "caught $own allocations by $program's own code, as expected"
    fi
elif [ "$own" -gt 0 ]; then
    echo "FAIL: $program's own code made $own heap allocations in the frame path" >&2
    verdict=1
else
    echo "$program's own code made no heap allocation in the frame path"
fi
exit "$verdict"

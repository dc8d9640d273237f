# Sourced by the benchmark and the allocation check: runs a GLUT program under
# the swap_timer preload library and walks it through measured phases.
# Needs scripts/xvfb_session.sh sourced and a private Xvfb started.

# Starts RUN_DIR/PROGRAM with the preload library LIB, its report going to
# LOG and its stderr to LOG.stderr. TRACE=1 keeps allocation call stacks.
# Sets measured_pid.
launch_measured() {
    local lib=$1 run_dir=$2 program=$3 log=$4 trace=${5:-0}
    (
        cd "$run_dir"
        export GLITTER_BENCH_LOG="$log" GLITTER_BENCH_TRACE_ALLOCS="$trace" LD_PRELOAD="$lib"
        # Taken last, just before exec, so start-up counts from here.
        export GLITTER_BENCH_LAUNCH="$EPOCHREALTIME"
        exec "./$program"
    ) 2>"$log.stderr" &
    measured_pid=$!
}

# Ends the current phase and starts the next (the library counts SIGUSR1s).
mark_phase() {
    kill -USR1 "$measured_pid"
}

# The process's peak resident memory so far, in kB.
peak_rss_kb() {
    awk '$1 == "VmHWM:" { print $2 }' "/proc/$measured_pid/status"
}

# Walks window ID through the phases the report reads, each mode measured
# for SECONDS after WARMUP seconds of settling:
#   0 start-up and warm-up, 1 first mode, 2 switch and warm-up,
#   3 second mode (only when MODES is 2), then whatever follows.
# Leaves the peak RSS at the end of each measured mode in rss_after_mode1
# and rss_after_mode2.
run_phases() {
    local id=$1 modes=$2 warmup=$3 seconds=$4
    sleep "$warmup"
    mark_phase
    sleep "$seconds"
    mark_phase
    rss_after_mode1=$(peak_rss_kb)
    rss_after_mode2=""
    if [ "$modes" -eq 2 ]; then
        send_key "$id" m
        sleep "$warmup"
        mark_phase
        sleep "$seconds"
        mark_phase
        rss_after_mode2=$(peak_rss_kb)
    fi
}

# Presses Escape and waits for the program to exit; fails unless it exits 0.
quit_measured() {
    local id=$1 status=0
    send_key "$id" Escape
    wait "$measured_pid" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "$(basename "$0"): the measured program exited with status $status" >&2
        return 1
    fi
}

# Prints field KEY of phase PHASE from report LOG ("" when missing).
phase_field() {
    local log=$1 phase=$2 key=$3
    awk -v phase="$phase" -v key="$key" '
        $1 == "phase" && $2 == phase { for (i = 3; i < NF; i += 2) if ($i == key) print $(i + 1) }' "$log"
}

# Prints the value of a "KEY VALUE..." line of report LOG.
report_value() {
    local log=$1 key=$2
    awk -v key="$key" '$1 == key { $1 = ""; sub(/^ /, ""); print; exit }' "$log"
}

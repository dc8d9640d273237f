# Sourced by the scripts that take pictures of Glitter (the README's
# screenshots, the gallery of examples): on the private X server of
# xvfb_session.sh, record animated GIFs with the program's own recorder, and
# start the program to save stills of its window, then end it. Work goes to
# the scratch folder capture_dir; at exit the program, the X server and that
# folder go.

source "$(dirname "${BASH_SOURCE[0]}")/xvfb_session.sh"
capture_dir=$(mktemp -d)
glitter_pid=""
end_capture() {
    stop_program_and_xvfb "$glitter_pid"
    rm -rf "$capture_dir"
}
trap end_capture EXIT

Settle=2.5   # seconds of animation before each still

# Starts the program BINARY in the working folder DIR (where it finds its four
# files), with any more of its options, its stderr kept in capture_dir:
# start_glitter BINARY DIR [OPTION...]. Sets glitter_pid and glitter_window.
start_glitter() {
    local binary=$1 dir=$2
    (cd "$dir" && exec "$binary" "${@:3}") 2>"$capture_dir/stderr" &
    glitter_pid=$!
    glitter_window=$(find_window Glitter)
    # With no window manager to place it, the window starts at (-1, -1) and
    # would lose a row and a column off the screen's edge.
    xdotool windowmove --sync "$glitter_window" 0 0
}

# Records the first 4 s of the animation into the GIF at PATH with the
# program BINARY, run in the working folder DIR, with any more of its
# options (--mode fire): record_gif BINARY DIR PATH [OPTION...].
record_gif() {
    local binary=$1 dir=$2 path=$3
    (cd "$dir" && "$binary" --record "$path" "${@:4}" >/dev/null)
}

# Lets the animation of the running program settle, then saves a still of
# its window at PNG.
capture_still() {
    sleep "$Settle"
    import -window "$glitter_window" "$1"
}

# Ends the program with Escape. Prints whatever it wrote to stderr; fails if
# it did not exit with status 0.
stop_glitter() {
    local status=0
    send_key "$glitter_window" Escape
    wait "$glitter_pid" || status=$?
    glitter_pid=""
    if [ -s "$capture_dir/stderr" ]; then
        echo "glitter wrote to stderr:" >&2
        cat "$capture_dir/stderr" >&2
    fi
    if [ "$status" -ne 0 ]; then
        echo "glitter exited with status $status after Escape (expected 0)" >&2
        return 1
    fi
}

# Sourced by the scripts that take pictures of a running Glitter (the README's
# screenshots, the gallery of examples): start the program on the private X
# server of xvfb_session.sh, save stills and short animated GIFs of its
# window, and end it. Work goes to the scratch folder capture_dir; at exit the
# program, the X server and that folder go.

source "$(dirname "${BASH_SOURCE[0]}")/xvfb_session.sh"
capture_dir=$(mktemp -d)
glitter_pid=""
end_capture() {
    stop_program_and_xvfb "$glitter_pid"
    rm -rf "$capture_dir"
}
trap end_capture EXIT

Settle=2.5            # seconds of animation before each still
GifFrames=36          # frames per GIF ...
GifIntervalUs=100000  # ... taken about every 100 ms: a 3.6 s loop
GifSize=300x300       # half size keeps each GIF small

now_us() {
    echo "${EPOCHREALTIME/./}"   # needs LC_ALL=C: a decimal point, not a comma
}

# Starts the program BINARY in the working folder DIR (where it finds its four
# files), its stderr kept in capture_dir. Sets glitter_pid and glitter_window.
start_glitter() {
    local binary=$1 dir=$2
    (cd "$dir" && exec "$binary") 2>"$capture_dir/stderr" &
    glitter_pid=$!
    glitter_window=$(find_window Glitter)
    # With no window manager to place it, the window starts at (-1, -1) and
    # would lose a row and a column off the screen's edge.
    xdotool windowmove --sync "$glitter_window" 0 0
}

# Grabs GifFrames frames of window ID into an animated GIF at PATH, its frame
# delay set from the time the grabs actually took so it plays at real speed.
capture_gif() {
    local id=$1 path=$2 frames_dir="$capture_dir/frames" start now next i
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

# Lets the animation of the running program settle, then saves a still at
# PNG and a GIF at GIF.
capture_window() {
    local png=$1 gif=$2
    sleep "$Settle"
    import -window "$glitter_window" "$png"
    capture_gif "$glitter_window" "$gif"
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

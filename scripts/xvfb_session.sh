# Sourced by the scripts that drive a Glitter window on a private X server
# (screenshots, end-to-end tests, soak): each starts its own Xvfb on a
# free display, so they can run side by side and need no DISPLAY of their own.

# Starts Xvfb, waits until it accepts clients, and exports DISPLAY. Sets
# xvfb_pid for stop_private_xvfb.
start_private_xvfb() {
    local display_file display_number=""
    display_file=$(mktemp)
    # -displayfd: the server picks a free display and writes its number to fd 3
    # once it is ready for clients, so parallel runs never race for one.
    # -noreset: without it the server resets each time its last client
    # leaves (a run of the program, an xdotool call) and refuses the next
    # one that connects meanwhile.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 200); do
        # The number is complete once its newline is there.
        if [ "$(wc -l <"$display_file")" -ge 1 ]; then
            display_number=$(head -n 1 "$display_file")
            break
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$display_file"
    if ! [[ "$display_number" =~ ^[0-9]+$ ]]; then
        echo "$(basename "$0"): Xvfb did not start (is the xvfb package installed?)" >&2
        return 1
    fi
    export DISPLAY=":$display_number"
}

# Ends the program with process id PID, if one was started, then the server.
stop_program_and_xvfb() {
    local pid=$1
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    stop_private_xvfb
}

stop_private_xvfb() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}

# Prints the id of the first window titled exactly TITLE, waiting up to 20 s
# for it to be mapped. A search can fail outright when a window it looks at
# goes away meanwhile (BadWindow: Wine makes and drops windows of its own
# as a program starts): it is tried again until the time is up.
find_window() {
    local title=$1 id="" deadline=$((SECONDS + 20))
    while [ -z "$id" ]; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "$(basename "$0"): no window titled \"$title\" appeared within 20 s" >&2
            return 1
        fi
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] || sleep 0.1
    done
    echo "$id"
}

# Types KEY into window ID. There is no window manager to give it the focus,
# so focus it first; xdotool then types through XTEST like a real keyboard.
send_key() {
    local id=$1 key=$2
    xdotool windowfocus --sync "$id"
    xdotool key "$key"
}

# Sourced by the scripts and tests that run glitter.exe under Wine. Wine draws
# on an X server: start one first (start_private_xvfb of xvfb_session.sh), and
# end Wine with stop_wine_session before that server goes away, or Wine's
# helper processes report their lost X connection on stderr.
#
#   start_private_xvfb
#   start_wine_session
#   (cd "$dir" && wine ./glitter.exe </dev/null 2>err.txt)   # stderr arrives with CR LF line ends
#   stop_wine_session
#   stop_private_xvfb
#
# One Wine prefix (Wine's C: drive and registry, about 700 MB), made on first
# use in build-windows/wine-prefix, serves every session. Programs in one
# prefix share one wineserver, and stop_wine_session ends them all, so
# sessions take turns: start_wine_session waits while another one is open.

wine_session_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# No debug channels (nor the wrapper's hint about 32-bit Wine), and no offer
# to install Mono or Gecko, which Glitter does not use.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_session_lock=""

# Runs a command without the session's lock: a wineserver or a program left
# behind must not keep the next session waiting.
without_wine_lock() {
    if [ -n "$wine_session_lock" ]; then
        "$@" {wine_session_lock}>&-
    else
        "$@"
    fi
}

# start_wine_session [PREFIX]: exports WINEPREFIX (default
# build-windows/wine-prefix), making the prefix if it is not there yet, and
# waits up to 10 minutes for any other session on it to end.
start_wine_session() {
    local prefix=${1:-$wine_session_repo/build-windows/wine-prefix}
    if [ -z "${DISPLAY:-}" ]; then
        echo "$(basename "$0"): start the X server before the Wine session" >&2
        return 1
    fi
    if ! command -v wine >/dev/null 2>&1; then
        echo "$(basename "$0"): no wine (scripts/install-deps.sh windows installs it)" >&2
        return 1
    fi
    mkdir -p "$(dirname "$prefix")"
    WINEPREFIX=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")
    export WINEPREFIX

    exec {wine_session_lock}>"$WINEPREFIX.lock"
    if ! flock -w 600 "$wine_session_lock"; then
        echo "$(basename "$0"): another Wine session kept $WINEPREFIX for 10 minutes" >&2
        exec {wine_session_lock}>&-
        wine_session_lock=""
        return 1
    fi
    [ -f "$WINEPREFIX/.ready" ] || make_wine_prefix
}

# Makes the prefix afresh. Its output (notes on the configuration it creates,
# on the 32-bit half of Wine that is not installed) goes to a log beside it,
# shown only if the making fails.
make_wine_prefix() {
    local log=$WINEPREFIX.log
    rm -rf "$WINEPREFIX"
    # A Windows program sees the Unix environment, DISPLAY included, and
    # freeglut takes DISPLAY for the name of a Windows display device: it
    # warns on stderr when CreateDC cannot open ":1". The user's own
    # environment in the registry overrides the Unix one, so name the
    # screen's device there, as CreateDC knows it. Wine itself still draws
    # on the X server of the Unix DISPLAY.
    if ! { without_wine_lock wine wineboot -i &&
           without_wine_lock wine reg add 'HKCU\Environment' /v DISPLAY /t REG_SZ /d DISPLAY /f &&
           without_wine_lock wineserver -w; } >"$log" 2>&1; then
        echo "$(basename "$0"): could not make the Wine prefix $WINEPREFIX:" >&2
        cat "$log" >&2
        return 1
    fi
    touch "$WINEPREFIX/.ready"
}

# Ends every Windows program of the session and the wineserver, then lets
# the next session have the prefix.
stop_wine_session() {
    if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null 2>&1; then
        without_wine_lock wineserver -k 2>/dev/null || true
        without_wine_lock wineserver -w 2>/dev/null || true
    fi
    if [ -n "$wine_session_lock" ]; then
        exec {wine_session_lock}>&-
        wine_session_lock=""
    fi
}

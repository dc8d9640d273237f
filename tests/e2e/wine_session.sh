# Sourced by lib.sh for a Windows build: runs glitter.exe under Wine. Wine
# draws on an X server: start one first (start_private_xvfb of
# xvfb_session.sh), and end Wine with stop_wine_session before that server
# goes away, or Wine's helper processes report their lost X connection on
# stderr. stderr arrives with CR LF line ends.
#
# One Wine prefix (Wine's C: drive and registry, about 700 MB), made on first
# use in build-windows/wine-prefix, serves every session. Programs in one
# prefix share one wineserver, and stop_wine_session ends them all: run one
# session at a time, as make test-windows does.

wine_session_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# No debug channels (nor the wrapper's hint about 32-bit Wine), and no offer
# to install Mono or Gecko, which Glitter does not use.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Exports WINEPREFIX, making the prefix if it is not there yet.
start_wine_session() {
    export WINEPREFIX=$wine_session_repo/build-windows/wine-prefix
    [ -f "$WINEPREFIX/.ready" ] && return
    command -v wine >/dev/null || { echo "no wine (scripts/install-deps.sh windows installs it)" >&2; return 1; }
    mkdir -p "$WINEPREFIX"
    # A Windows program sees the Unix environment, DISPLAY included, and
    # freeglut takes DISPLAY for the name of a Windows display device: it
    # warns on stderr when CreateDC cannot open ":1". The user's own
    # environment in the registry overrides the Unix one, so name the
    # screen's device there, as CreateDC knows it. Wine itself still draws
    # on the X server of the Unix DISPLAY. What making the prefix says goes
    # to a log beside it, shown only if it fails.
    if ! { wine wineboot -i && wine reg add 'HKCU\Environment' /v DISPLAY /t REG_SZ /d DISPLAY /f &&
           wineserver -w; } >"$WINEPREFIX.log" 2>&1; then
        echo "could not make the Wine prefix $WINEPREFIX:" >&2
        cat "$WINEPREFIX.log" >&2
        return 1
    fi
    touch "$WINEPREFIX/.ready"
}

# Ends every Windows program of the session and the wineserver.
stop_wine_session() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    return 0
}

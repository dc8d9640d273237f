# Shared helpers for the end-to-end tests and the soak run: a private X server
# per test, a scratch folder holding the program's assets, runs of the real
# program, screenshot measurements and assertions that report every failure.
#
# Source it from a bash script; it installs an EXIT trap that stops the X
# server and every program started with start_glitter, and removes the
# scratch folder.

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/glitter-e2e.XXXXXX")
E2E_FAILURES=0
GLITTER_PID=

e2e_cleanup() {
  if [ -n "$GLITTER_PID" ] && kill -0 "$GLITTER_PID" 2>/dev/null; then
    kill "$GLITTER_PID" 2>/dev/null
    wait "$GLITTER_PID" 2>/dev/null
  fi
  stop_private_xvfb
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT
# A signal still runs the EXIT trap, so the X server never outlives the test.
trap 'exit 130' INT TERM HUP

fail() {
  echo "FAIL: $*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

pass() {
  echo "ok: $*"
}

# Ends the test: status 1 if any check failed.
finish() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    echo "$E2E_FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}

# Stops the test at once, for a failure that leaves nothing else to check.
die() {
  fail "$*"
  exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb_session.sh"

# Starts an X server of our own on a free display and exports DISPLAY for it.
start_xvfb() {
  start_private_xvfb || die "Xvfb did not start"
}

# Makes a working folder holding a fresh copy of the four assets, the way the
# program expects to find them, and prints its path.
make_workdir() {
  local dir
  dir=$(mktemp -d "$E2E_TMP/work.XXXXXX")
  cp "$ASSET_DIR"/confetti.vert "$ASSET_DIR"/fire.vert "$ASSET_DIR"/fire.frag "$ASSET_DIR"/particle.bmp "$dir"/
  echo "$dir"
}

# Runs the program to completion from a working folder, with optional
# VAR=value settings before it: run_to_exit DIR [VAR=value...].
# Sets RUN_STATUS, RUN_STDOUT and RUN_STDERR. A program that is still running
# after the time limit is stopped (status 124): every start-up failure must
# end long before that.
run_to_exit() {
  local dir=$1
  shift
  RUN_STDOUT="$E2E_TMP/run.stdout"
  RUN_STDERR="$E2E_TMP/run.stderr"
  (cd "$dir" && env "$@" timeout -k 2 15 "$GLITTER" >"$RUN_STDOUT" 2>"$RUN_STDERR")
  RUN_STATUS=$?
}

# Same, with every file the program opens logged by strace to RUN_TRACE.
run_traced() {
  local dir=$1
  shift
  RUN_STDOUT="$E2E_TMP/run.stdout"
  RUN_STDERR="$E2E_TMP/run.stderr"
  RUN_TRACE="$E2E_TMP/run.trace"
  # LeakSanitizer cannot work under ptrace: in a sanitizer build the traced
  # run checks everything but leaks.
  (cd "$dir" && env ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$@" \
    timeout -k 2 30 strace -f -qq -e trace=openat -o "$RUN_TRACE" \
    "$GLITTER" >"$RUN_STDOUT" 2>"$RUN_STDERR")
  RUN_STATUS=$?
}

# Checks a start-up failure: exit status 1, nothing on stdout, and stderr
# exactly the expected bytes. expect_failure CASE EXPECTED_STDERR
expect_failure() {
  local name=$1 expected=$2 actual
  actual=$(cat "$RUN_STDERR"; echo x)   # the x keeps trailing newlines
  actual=${actual%x}
  if [ "$RUN_STATUS" -ne 1 ]; then
    fail "$name: exit status $RUN_STATUS, expected 1; stderr: $(head -c 400 "$RUN_STDERR")"
  elif [ "$actual" != "$expected" ]; then
    fail "$name: stderr differs
--- expected
$(printf '%s' "$expected" | cat -A)
--- got
$(printf '%s' "$actual" | cat -A | head -20)"
  elif [ -s "$RUN_STDOUT" ]; then
    fail "$name: unexpected output on stdout: $(head -c 200 "$RUN_STDOUT")"
  else
    pass "$name"
  fi
}

# Starts the program in the background from a working folder, its output
# going to files, and waits for its window. Sets GLITTER_PID, GLITTER_STDERR,
# GLITTER_STDOUT and WINDOW.
start_glitter() {
  local dir=$1
  GLITTER_STDOUT="$E2E_TMP/glitter.stdout"
  GLITTER_STDERR="$E2E_TMP/glitter.stderr"
  (cd "$dir" && exec "$GLITTER" >"$GLITTER_STDOUT" 2>"$GLITTER_STDERR") &
  GLITTER_PID=$!
  WINDOW=$(timeout 15 xdotool search --sync --onlyvisible --name '^Glitter$' 2>/dev/null | head -n 1)
  if [ -z "$WINDOW" ]; then
    cat "$GLITTER_STDERR" >&2
    die "no window named Glitter appeared"
  fi
}

# Waits up to 5 s for the program to end; sets GLITTER_STATUS (124 if it is
# still running).
wait_glitter_exit() {
  local tries
  for tries in $(seq 100); do
    kill -0 "$GLITTER_PID" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$GLITTER_PID" 2>/dev/null; then
    GLITTER_STATUS=124
    return
  fi
  wait "$GLITTER_PID"
  GLITTER_STATUS=$?
  GLITTER_PID=
}

glitter_alive() {
  kill -0 "$GLITTER_PID" 2>/dev/null
}

# Saves a screenshot of the program's window: screenshot FILE
screenshot() {
  import -window "$WINDOW" "$1" 2>/dev/null || fail "cannot take a screenshot of window $WINDOW"
}

# Counts the pure white pixels in a region, given as WxH+X+Y in window pixels:
# the axes and the text are drawn in exactly (255, 255, 255), which the
# particles only rarely reach.
white_pixels() {
  convert "$1" -crop "$2" +repage txt:- | grep -c '#FFFFFF'
}

# Counts flame-coloured pixels: red well above blue. The Glitter particles
# are blue-dominated (their red lags their blue by at most a third of full
# scale), so they never pass; the fire sprites' orange does.
flame_pixels() {
  convert "$1" -depth 8 rgb:- | od -An -v -tu1 -w3 |
    awk '$1 >= 100 && $1 - $3 >= 90 { n++ } END { print n + 0 }'
}

# Finds the words of the status line in the bottom rows of a window of the
# given height (status_words FILE HEIGHT): prints one "first-last" column
# range per word. Words are runs of white columns split by gaps of 6 or more
# empty columns; a space is wider than any gap inside a word of this font,
# though a "1" in the frame rate can split that first word.
status_words() {
  local file=$1 height=$2
  convert "$file" -crop "420x24+0+$((height - 24))" +repage txt:- |
    awk -F'[,:]' '/#FFFFFF/ { on[$1] = 1 }
      END {
        gap = 99; first = -1
        for (x = 0; x < 420; x++) {
          if (on[x]) {
            if (gap >= 6) { if (first >= 0) printf "%d-%d ", first, last; first = x }
            last = x; gap = 0
          } else gap++
        }
        if (first >= 0) printf "%d-%d", first, last
        print ""
      }'
}

# Prints the white-pixel mask of one status-line word as text, so two words
# can be compared exactly: word_mask FILE HEIGHT FIRST-LAST
word_mask() {
  local file=$1 height=$2 range=$3
  local first=${range%-*} last=${range#*-}
  convert "$file" -crop "$((last - first + 1))x24+$first+$((height - 24))" +repage txt:- |
    awk -F'[,:]' 'NR > 1 { printf "%s", ($0 ~ /#FFFFFF/) ? "#" : "." } END { print "" }'
}

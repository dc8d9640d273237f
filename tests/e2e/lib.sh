# Shared by the end-to-end tests and the soak: a private X server per test, a
# scratch folder holding the program's assets, runs of the real program,
# screenshots measured by pixel counts, and checks that report every failure.
#
# Source it from bash with GLITTER (the program) and ASSET_DIR set. A Windows
# build (glitter.exe) runs under Wine. An EXIT trap stops the program, Wine
# and the X server and removes the scratch folder.

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/glitter-e2e.XXXXXX")
E2E_FAILURES=0
GLITTER_PID=

e2e_cleanup() {
  [ -n "$GLITTER_PID" ] && kill "$GLITTER_PID" 2>/dev/null && wait "$GLITTER_PID" 2>/dev/null
  [ "${GLITTER_CMD[0]}" = wine ] && stop_wine_session
  stop_private_xvfb
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT
# A signal still runs the EXIT trap, so the X server never outlives the test.
trap 'exit 130' INT TERM HUP

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb_session.sh"
GLITTER_CMD=("$GLITTER")
if [[ $GLITTER == *.exe ]]; then
  source "$(dirname "${BASH_SOURCE[0]}")/wine_session.sh"
  GLITTER_CMD=(wine "$GLITTER")
fi

fail() {
  echo "FAIL: $*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

pass() {
  echo "ok: $*"
}

# check NAME COMMAND...: passes if the command succeeds, printing what it says.
check() {
  local name=$1 said
  shift
  if said=$("$@"); then pass "$name${said:+ ($said)}"; else fail "$name${said:+: $said}"; fi
}

die() {
  fail "$*"
  exit 1
}

# Ends the test: status 1 if any check failed.
finish() {
  [ "$E2E_FAILURES" -eq 0 ] || { echo "$E2E_FAILURES check(s) failed" >&2; exit 1; }
  echo "all checks passed"
  exit 0
}

start_xvfb() {
  start_private_xvfb || die "Xvfb did not start"
  [ "${GLITTER_CMD[0]}" = wine ] && { start_wine_session || die "no Wine session"; }
}

# Makes a working folder holding a fresh copy of what ASSET_DIR holds (the
# four assets, and beside them anything else the program came with) and
# prints its path.
make_workdir() {
  local dir
  dir=$(mktemp -d "$E2E_TMP/work.XXXXXX")
  cp -R "$ASSET_DIR"/. "$dir"/
  echo "$dir"
}

# Runs the program to completion from DIR, after the shell commands SETUP,
# run there first (they may export variables for the program), with the
# command line ARGS: run_to_exit DIR [SETUP [ARGS...]]. Sets RUN_STATUS,
# RUN_STDERR and RUN_STDOUT (files). A start-up failure ends long before the
# time limit (status 124). Only a recording (--record) may write to stdout.
run_to_exit() {
  RUN_STDERR="$E2E_TMP/run.stderr" RUN_STDOUT="$E2E_TMP/run.stdout"
  (cd "$1" && eval "${2:-}" && exec timeout -k 2 60 "${GLITTER_CMD[@]}" "${@:3}" </dev/null >"$RUN_STDOUT" 2>"$RUN_STDERR")
  RUN_STATUS=$?
  [[ " ${*:3} " != *" --record "* ]] && [ -s "$RUN_STDOUT" ] && fail "the program wrote to stdout: $(head -c 200 "$RUN_STDOUT")"
}

# Starts the program in the background from DIR and waits for its window,
# moved to the screen's corner so screenshots hold all of it. Sets
# GLITTER_PID, GLITTER_STDERR and WINDOW.
start_glitter() {
  GLITTER_STDERR="$E2E_TMP/glitter.stderr"
  (cd "$1" && exec "${GLITTER_CMD[@]}" </dev/null >"$E2E_TMP/glitter.stdout" 2>"$GLITTER_STDERR") &
  GLITTER_PID=$!
  WINDOW=$(find_window Glitter) || die "no window named Glitter appeared: $(cat "$GLITTER_STDERR")"
  xdotool windowmove --sync "$WINDOW" 0 0
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
}

# Sends keys to the window.
keys() {
  xdotool key --window "$WINDOW" --delay 5 "$@" || fail "xdotool could not send: $*"
}

# wait_for NAME SECONDS COMMAND...: passes as soon as COMMAND succeeds, and
# fails if it has not within SECONDS; what COMMAND said last goes with it.
# Checks wait for what they expect, however slowly it comes.
wait_for() {
  local name=$1 deadline=$((SECONDS + $2)) said
  shift 2
  until said=$("$@"); do
    if [ "$SECONDS" -ge "$deadline" ]; then
      fail "$name${said:+: $said}"
      return 1
    fi
    sleep 0.1
  done
  pass "$name${said:+ ($said)}"
}

# Presses Escape and checks that the program ends at once with status 0,
# having written nothing on stdout during the whole run.
escape_ends() {
  xdotool keydown --window "$WINDOW" Escape 2>/dev/null
  local status=124
  for _ in $(seq 200); do kill -0 "$GLITTER_PID" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$GLITTER_PID" 2>/dev/null || { wait "$GLITTER_PID"; status=$?; GLITTER_PID=; }
  [ "$status" -eq 0 ] && pass "Escape exits with status 0" || fail "after Escape: status $status (124: still running)"
  [ -s "$E2E_TMP/glitter.stdout" ] && fail "the program wrote to stdout: $(head -c 200 "$E2E_TMP/glitter.stdout")"
}

# Takes a screenshot of the program's window into SHOT.
SHOT=$E2E_TMP/shot.png
shot() {
  import -window "$WINDOW" "$SHOT" 2>/dev/null || fail "cannot take a screenshot of window $WINDOW"
}

# on_screen CHECK N COLOUR [REGION]: CHECK (at_least or at_most) on a
# screenshot taken now.
on_screen() {
  shot && "$1" "$2" "$SHOT" "${@:3}"
}

# text_of WINDOW [CONVERT_OPTIONS...]: the text in a window, read by OCR.
text_of() {
  import -window "$1" "$E2E_TMP/text.png" && convert "$E2E_TMP/text.png" "${@:2}" -colorspace Gray -resize 300% "$E2E_TMP/text.png" &&
    tesseract "$E2E_TMP/text.png" - 2>/dev/null | tr -s ' \n' ' '
}
# screen_says TEXT: the window's top rows, where a failed reload is shown,
# hold TEXT (light on dark: negated for OCR); screen_says_no TEXT: they do not.
screen_says() {
  local text
  text=$(text_of "$WINDOW" -crop 600x160+0+0 +repage -negate)
  [[ $text == *"$1"* ]] && echo "read '$1'" || { echo "read '${text:0:300}'"; return 1; }
}
screen_says_no() { ! screen_says "$1" >/dev/null; }

# count FILE COLOUR [REGION]: the pixels of a screenshot (within REGION,
# WxH+X+Y in window pixels) of exactly that colour, such as white (the axes
# and the text); "lit" counts all that are not black.
count() {
  local colour=$2 fuzz=()
  [ "$colour" = lit ] && colour=black fuzz=(-fuzz 8%)
  convert "$1" ${3:+-crop "$3" +repage} \( +clone -fill "$colour" -colorize 100 \) "${fuzz[@]}" \
    -metric AE -compare -format '%w %h %[distortion]' info: | {
    read -r w h unlike
    if [ "$2" = lit ]; then echo "$unlike"; else echo $((w * h - unlike)); fi
  }
}

# at_least N FILE COLOUR [REGION] and at_most: bounds a pixel count.
bound() {
  local n
  n=$(count "${@:3}")
  echo "$n pixels, want $1 $2"
  [ "$n" "$([ "$1" = "at least" ] && echo -ge || echo -le)" "$2" ]
}
at_least() { bound "at least" "$@"; }
at_most() { bound "at most" "$@"; }

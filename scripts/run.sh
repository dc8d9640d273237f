#!/usr/bin/env bash
# Starts Glitter from the folder holding it and its assets. On a machine with
# no display it renders both modes under Xvfb and saves screenshots instead.
set -euo pipefail
run_dir=$(cd "$1" && pwd)

if [ -n "${DISPLAY:-}" ]; then
  cd "$run_dir"
  exec ./glitter
fi

echo "No display (DISPLAY is not set): rendering screenshots under Xvfb instead."
out_dir=$(cd "$(dirname "$0")/.." && pwd)/screenshots
"$(dirname "$0")/screenshots.sh" "$run_dir" "$out_dir"

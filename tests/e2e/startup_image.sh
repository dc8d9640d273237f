#!/usr/bin/env bash
# Start-up failures from a bad sprite image, through the real program: a
# defect of particle.bmp stops it with its own message naming the file, and
# status 1. (The reader's every rejection is covered by its unit tests; these
# are one of each kind: a bad field, a size out of range, a short file, not a
# file at all.) The bad images are the shipped one patched or cut short.
# Usage: startup_image.sh GLITTER_BINARY ASSET_DIR
set -u
GLITTER=$(realpath "$1")
ASSET_DIR=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

start_xvfb

# Overwrites bytes of the working folder's image at a file offset with
# printf-escaped bytes: patch_image DIR OFFSET BYTES
patch_image() {
  printf "$3" | dd of="$1/particle.bmp" bs=1 seek="$2" conv=notrunc status=none
}

# The patched fields are little-endian, at the offsets of the BMP header.
# (the shipped image is 24-bit, uncompressed, one plane, 64 wide)
dir=$(make_workdir)
patch_image "$dir" 28 '\x08\x00'
run_to_exit "$dir"
expect_failure "8-bit image" $'particle.bmp bits per pixel is not 24: 8\n'

# The size limit is the driver's largest texture, so only its form is fixed.
# expect_range_failure CASE PREFIX: "PREFIX out of range 1-<max>\n".
expect_range_failure() {
  local name=$1 prefix=$2
  if [ "$RUN_STATUS" -eq 1 ] && [ "$(wc -l <"$RUN_STDERR")" -eq 1 ] &&
     grep -qxE "$prefix out of range 1-[0-9]+" "$RUN_STDERR"; then
    pass "$name"
  else
    fail "$name: status $RUN_STATUS, expected 1 and '$prefix out of range 1-<max>'; stderr: $(cat -A "$RUN_STDERR")"
  fi
}

dir=$(make_workdir)
patch_image "$dir" 22 '\xc0\xff\xff\xff'
run_to_exit "$dir"
expect_range_failure "top-down image (negative height)" "particle.bmp image height -64"

dir=$(make_workdir)
truncate -s 1000 "$dir/particle.bmp"
run_to_exit "$dir"
expect_failure "image cut inside the pixels" $'Error reading data from image particle.bmp\n'

# A folder in its place opens but yields no bytes: refused at the first read.
dir=$(make_workdir)
rm "$dir/particle.bmp"
mkdir "$dir/particle.bmp"
run_to_exit "$dir"
expect_failure "folder named particle.bmp" $'Cannot read magic from particle.bmp\n'

finish

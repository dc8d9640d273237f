#!/usr/bin/env bash
# Start-up failures from a bad sprite image: every defect of particle.bmp a
# user can bring about stops the program with its own message naming the
# file, and status 1. The bad images are the shipped one with a header field
# patched, cut short, or replaced.
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

dir=$(make_workdir)
patch_image "$dir" 28 '\x20\x00'
run_to_exit "$dir"
expect_failure "32-bit image" $'particle.bmp bits per pixel is not 24: 32\n'

dir=$(make_workdir)
patch_image "$dir" 26 '\x02\x00'
run_to_exit "$dir"
expect_failure "two bit planes" $'particle.bmp bit planes is not 1: 2\n'

dir=$(make_workdir)
patch_image "$dir" 30 '\x01\x00\x00\x00'
run_to_exit "$dir"
expect_failure "run-length compressed image" $'particle.bmp compressed files not supported\n'

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
patch_image "$dir" 18 '\x00\x00\x00\x00'
run_to_exit "$dir"
expect_range_failure "zero width" "particle.bmp image width 0"

# Far beyond any texture size: refused before its 30 GB are allocated.
dir=$(make_workdir)
patch_image "$dir" 18 '\xa0\x86\x01\x00'
patch_image "$dir" 22 '\xa0\x86\x01\x00'
run_to_exit "$dir"
expect_range_failure "100000 x 100000 image" "particle.bmp image width 100000"

# Not a BMP at all.
dir=$(make_workdir)
printf 'GIF89a\x40\x00\x40\x00\xf7\x00\x00%.0s' $(seq 20) >"$dir/particle.bmp"
run_to_exit "$dir"
expect_failure "GIF named particle.bmp" $'Image magic not BMP in particle.bmp\n'

# Cut short at each stage.
dir=$(make_workdir)
: >"$dir/particle.bmp"
run_to_exit "$dir"
expect_failure "empty image file" $'Cannot read magic from particle.bmp\n'

dir=$(make_workdir)
truncate -s 20 "$dir/particle.bmp"
run_to_exit "$dir"
expect_failure "image cut inside the header" $'Cannot read header from particle.bmp\n'

dir=$(make_workdir)
truncate -s 1000 "$dir/particle.bmp"
run_to_exit "$dir"
expect_failure "image cut inside the pixels" $'Error reading data from image particle.bmp\n'

# A folder in its place: one clear line naming the file, no crash.
dir=$(make_workdir)
rm "$dir/particle.bmp"
mkdir "$dir/particle.bmp"
run_to_exit "$dir"
if [ "$RUN_STATUS" -eq 1 ] && [ "$(wc -l <"$RUN_STDERR")" -eq 1 ] &&
   grep -q 'particle\.bmp' "$RUN_STDERR" && [ ! -s "$RUN_STDOUT" ]; then
  pass "folder named particle.bmp: $(cat "$RUN_STDERR")"
else
  fail "folder named particle.bmp: status $RUN_STATUS, stderr: $(cat -A "$RUN_STDERR" | head -5)"
fi

finish

#!/usr/bin/env bash
# Puts an example of the gallery (examples/NAME) in the folder Glitter runs
# from, or with NAME "default" the shipped files of assets/ back:
#   scripts/example.sh NAME RUN_DIR
# The folder gets the example's own files and the shipped file for every slot
# the example leaves alone, so going from one example to another leaves
# nothing stale behind. The example's files are copies, yours to edit while it
# runs; the shipped ones are links into assets/, as the build makes them.
# assets/ itself is never written. With no NAME, or an unknown one, lists the
# examples and fails.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
Slots=()   # the files the program reads: what assets/ holds
for file in "$root"/assets/*; do
    Slots+=("$(basename "$file")")
done

list_examples() {
    echo "Examples (make example NAME=...):"
    local dir
    for dir in "$root"/examples/*/; do
        echo "  $(basename "$dir")"
    done
    echo "  default (the shipped files)"
}

name=${1:-}
if [ $# -ne 2 ] || [ -z "$name" ] || { [ "$name" != default ] && [ ! -d "$root/examples/$name" ]; }; then
    [ -n "$name" ] && echo "$0: no example \"$name\" in $root/examples" >&2
    list_examples >&2
    exit 1
fi
run_dir=$(cd "$2" && pwd)

# Each new file is first made under a temporary name beside its slot, then
# all are renamed over their slots at once: a rename replaces a link
# itself instead of writing through it into assets/, the program never reads
# a half-written file, and its watcher, which takes files saved within a
# tenth of a second of each other as one change, builds the example once.
for slot in "${Slots[@]}"; do
    temporary="$run_dir/.$slot.example"
    rm -f "$temporary"
    if [ "$name" != default ] && [ -f "$root/examples/$name/$slot" ]; then
        cp "$root/examples/$name/$slot" "$temporary"
    else
        ln -s "$root/assets/$slot" "$temporary"
    fi
done
# One process renames them all, microseconds apart (perl is part of every
# Debian system).
(cd "$run_dir" && perl -e 'for (@ARGV) { rename(".$_.example", $_) or die "cannot rename .$_.example to $_: $!\n" }' "${Slots[@]}")
if [ "$name" = default ]; then
    echo "$run_dir: the shipped files"
else
    echo "$run_dir: example $name"
fi

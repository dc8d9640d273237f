#!/usr/bin/env bash
# Pictures of the gallery: on a private Xvfb, records the first 4 s of each
# example of examples/ in the mode it is for into an animated GIF (glitter
# --record), runs Glitter on it to save a still, then writes the gallery's
# page of them all.
#   scripts/gallery.sh GLITTER OUT_DIR [NAME...]
# GLITTER is the program; OUT_DIR receives NAME.png and NAME.gif for each
# example (every one when no NAME is given) and README.md, a table of every
# example with its picture and the first line of its own README.md.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 GLITTER OUT_DIR [NAME...]" >&2
    exit 2
fi
glitter=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
out_dir=$(cd "$2" && pwd)
shift 2
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
source "$here/capture.sh"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for dir in "$root"/examples/*/; do
        names+=("$(basename "$dir")")
    done
fi

# An example that brings its own confetti.vert is for Glitter mode; the
# others replace the Fire files and are shown in Fire mode.
render_example() {
    local name=$1 run_dir="$capture_dir/run-$1" mode=glitter
    mkdir -p "$run_dir"
    "$here/example.sh" "$name" "$run_dir" >/dev/null
    [ -f "$root/examples/$name/confetti.vert" ] || mode=fire
    record_gif "$glitter" "$run_dir" "$out_dir/$name.gif" --mode "$mode"
    start_glitter "$glitter" "$run_dir" --mode "$mode"
    capture_still "$out_dir/$name.png"
    stop_glitter
    echo "$out_dir/$name.png"
    echo "$out_dir/$name.gif"
}

# The first line of text after the title of an example's README.md.
summary_of() {
    awk 'NR > 1 && NF { print; exit }' "$root/examples/$1/README.md"
}

write_page() {
    local dir name
    {
        echo "# Gallery"
        echo
        echo "Each example is a set of shader files (and sometimes a sprite) for the same particle"
        echo "data, in a folder of \`examples/\` whose README tells how it works. Start Glitter"
        echo "(\`make run\`), then try one: \`make example NAME=snow\`; the program shows it at once"
        echo "(press \`m\` for the Fire mode ones). \`make example NAME=default\` brings the shipped"
        echo "files back, as do \`make build\` and \`make run\`: start the program, then pick an example."
        echo "Each has knobs to turn while it runs (press \`k\`), listed in its README. \`make gallery\`"
        echo "renders these pictures."
        echo
        echo "| Example | Picture | What it shows |"
        echo "| --- | --- | --- |"
        for dir in "$root"/examples/*/; do
            name=$(basename "$dir")
            echo "| [$name](../../examples/$name/README.md) | [![$name]($name.gif)]($name.png) | $(summary_of "$name") |"
        done
    } >"$out_dir/README.md"
    echo "$out_dir/README.md"
}

start_private_xvfb
for name in "${names[@]}"; do
    render_example "$name"
done
write_page

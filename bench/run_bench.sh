#!/usr/bin/env bash
# Benchmarks Glitter under Xvfb and Mesa's software renderer:
#   bench/run_bench.sh BUILD_DIR [MARKDOWN_OUT...]
# Runs BUILD_DIR/bench/glitter_bench once for the timings, then its frame
# benchmarks again under heaptrack for the heap allocations, then times the
# program's recorder (bench/record_bench.sh), and writes the report
# (bench/write_report.py, then the recorder's section) to each MARKDOWN_OUT. Fails if Glitter's own
# code allocates in the frame loop.
set -euo pipefail
export LC_ALL=C
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [MARKDOWN_OUT...]" >&2; exit 2; }
build_dir=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
bench="$build_dir/bench/glitter_bench"
[ -x "$bench" ] || { echo "$0: no $bench: build $build_dir with Google Benchmark (libbenchmark-dev)" >&2; exit 1; }
# -noreset: the server stays open between its clients (see the Makefile's XVFB_RUN).
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24 -noreset")

# A scratch folder with copies of the assets: the save benchmark rewrites fire.frag.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp -L "$here"/../assets/* .
echo "timing frames and saves (about 90 s)" >&2
# The launch time is taken last, just before exec, once the X server is up.
"${xvfb[@]}" bash -c 'GLITTER_BENCH_LAUNCH=$EPOCHREALTIME exec "$@"' - "$bench" \
    --benchmark_out=timings.json --benchmark_out_format=json
echo "counting heap allocations per frame under heaptrack (about 40 s)" >&2
"${xvfb[@]}" heaptrack -o heap "$bench" --benchmark_filter=Frame >heaptrack.log 2>&1 || { cat heaptrack.log >&2; exit 1; }
heaptrack_print -f heap.* -t 0 --flamegraph-cost-type allocations -F stacks.txt >/dev/null
nm -C --defined-only "$build_dir/libglitter_core.a" | awk '$2 ~ /^[TtWw]$/ { $1 = $2 = ""; print }' >core_symbols.txt

# write_report.py exits 3 when the report is whole but Glitter allocated per frame.
verdict=0
python3 "$here/write_report.py" . "$(dpkg-query -W -f='${Version}' xvfb 2>/dev/null || echo '?')" >report.md || verdict=$?
[ "$verdict" -eq 0 ] || [ "$verdict" -eq 3 ] || exit "$verdict"
echo "timing recordings (about 10 s)" >&2
"$here/record_bench.sh" "$build_dir/run/glitter" >>report.md
cd - >/dev/null
cat "$work/report.md"
for out in "$@"; do
    cp "$work/report.md" "$out"
    echo "wrote $out" >&2
done
exit "$verdict"

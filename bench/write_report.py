#!/usr/bin/env python3
# Prints the benchmark report (Markdown) from what run_bench.sh left in WORK_DIR:
# timings.json, glitter_bench's Google Benchmark output; stacks.txt, its frame
# benchmarks again under heaptrack, the allocation stacks folded root first by
# heaptrack_print with a count each; core_symbols.txt, glitter_core's functions
# (nm). Allocations under EnterMode, the settling after a change of mode, are
# left out. Exits 3, the report printed, if Glitter's own code allocated.
#   bench/write_report.py WORK_DIR XVFB_VERSION
import collections, json, platform, re, sys

work, xvfb_version = sys.argv[1:3]
RUNS = [("BaselineFrame", -1, "Baseline (clear, status line, swap)"),
        ("GlitterFrame", 0, "Glitter mode (10,000 points)"), ("FireFrame", 1, "Fire mode (225 sprites)")]
# What only passes a request on to the allocator, glibc's internal names (__GI_) included:
# the caller beyond it asked for the memory.
ALLOCATOR = re.compile(r"^(__GI_)?_*(malloc|calloc|realloc|reallocarray|strn?dup|aligned_alloc|posix_memalign"
                       r"|memalign|valloc|operator new)|^(std|__gnu_cxx)::")


def function(frame):   # "RasterPrint(char const*, ...) (frame.cpp)" -> "RasterPrint"
    return re.sub(r" \(.*\)$", "", frame).split("(")[0].strip()


doc = json.load(open(f"{work}/timings.json"))   # aggregates only, keyed here by benchmark and statistic
context, stat = doc["context"], {(run["run_name"].split("/")[0], run["aggregate_name"]): run for run in doc["benchmarks"]}
core = {function(line) for line in open(f"{work}/core_symbols.txt")}
callers = core | {"DrawBaselineFrame"}   # the calls the per-call table is by
total, own, via = collections.Counter(), collections.Counter(), collections.Counter()
own_stacks, outside_main = [], 0
for line in open(f"{work}/stacks.txt"):
    stack, count = line.rsplit(" ", 1)
    names, count, mode = [function(f) for f in stack.split(";") if f], int(count), re.search(r"FrameOf<(-?\d+)>", stack)
    if not mode or "EnterMode" in names:
        outside_main += count * ("main" not in names)
        continue
    mode = int(mode[1])
    total[mode] += count
    via[mode, next((n for n in reversed(names) if n in callers), "event loop")] += count
    if next(n for n in reversed(names) if not ALLOCATOR.match(n)) in core:
        own[mode] += count
        own_stacks.append(f"{count} x {' <- '.join(reversed(names[-6:]))}")
frames = stat["GlitterFrame", "mean"]["repetitions"]
fps = {name: 1000 / stat[name, "mean"]["real_time"] for name, _, _ in RUNS}
cpu = re.search(r"model name\s*: (.*)", open("/proc/cpuinfo").read())[1]
print(f"""# Benchmarks

Measured by `make bench` on {context['date'][:10]}: `bench/glitter_bench` (Google Benchmark) starts as the
program does and times its own event loop and `display()`, on Xvfb; heaptrack counts the allocations.

- CPU: {cpu}, {context['num_cpus']} cores; {platform.system()} {platform.release()}, Xvfb {xvfb_version}
- Renderer: {context['renderer']}
- Load average (1, 5, 15 min) at the start: {' '.join(f'{x:.2f}' for x in context['load_avg'])}

| Run | Frames/s | × baseline | Median frame (ms) | 99th pct frame (ms) | Launch → first frame (ms) | Peak RSS (MiB) | Allocations/frame: Glitter's code | Allocations/frame: whole process |
| --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |""")
for name, mode, title in RUNS:
    launch = f"{float(context['launch_to_first_frame_ms']):.1f}" if mode == 0 else "— (same process)"
    print(f"| {title} | {fps[name]:.1f} | {fps[name] / fps['BaselineFrame']:.2f} | {stat[name, 'median']['real_time']:.3f} "
          f"| {stat[name, 'p99']['real_time']:.3f} | {launch} | {stat[name, 'max']['peak_rss_mib']:.1f} "
          f"| {own[mode] / frames:.2f} | {total[mode] / frames:.2f} |")
save = {s: stat["SaveToPicture", s]["real_time"] for s in ("median", "p95", "max")}
print(f"""
- One repetition is one frame: a pass of freeglut's event loop (X events, the file watcher's timer,
  `display()`, the swap); {frames} of them per mode, after 200 untimed. *Frames/s*: 1000 / the mean frame.
  Each frame of a mode draws its first knob turned a step (up, then down at the next) just before it,
  as the knob panel or the page turns it.
- *Launch → first frame*: from just before `exec` to the end of the first swap. *Peak RSS*: the
  process's peak by the end of the mode (the modes run in the order shown, in one process).
- *Allocations/frame*: in the timed frames; *Glitter's code* counts those whose first caller outside
  the allocator is a function of `glitter_core`. Outside `main` (library start-up and exit, every
  other thread) the whole run allocated {outside_main} times.

## From save to picture

`fire.frag` saved in place with a new solid colour {stat['SaveToPicture', 'median']['repetitions']} times in Fire mode, each after a random 0–1 s,
timed from the end of the save to the end of the first frame that shows the colour.

| Median (ms) | 95th pct (ms) | Max (ms) | Target: median ≤ 200, 95th pct ≤ 300 |
| ---: | ---: | ---: | --- |
| {save['median']:.1f} | {save['p95']:.1f} | {save['max']:.1f} | {'met' if save['median'] <= 200 and save['p95'] <= 300 else 'not met'} |

## Allocations per frame, by the program's call that led to them

| Call | Baseline | Glitter | Fire |
| --- | ---: | ---: | ---: |""")
for call in sorted({call for _, call in via}, key=lambda c: -sum(via[m, c] for _, m, _ in RUNS)):
    print(f"| {call} | {' | '.join(f'{via[m, call] / frames:.2f}' for _, m, _ in RUNS)} |")
if own_stacks:
    print("\n## FAILED: Glitter's own code allocated in the frame loop\n\n```\n" + "\n".join(own_stacks) + "\n```")
    sys.exit(3)

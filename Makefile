# Two commands for newcomers: `make run` and `make test`. Both install any
# missing Debian packages first, then configure and build with CMake.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
RUN_BUILD := build
TEST_BUILD := build-test
ASAN_BUILD := build-asan
# -noreset: an X server resets whenever its last client leaves, and while it
# resets it refuses new ones. The tests connect one process after another,
# so without it a test can find the display closed and fail by chance.
XVFB_RUN := xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
# Leak reports from the GL driver and the X libraries are theirs, not ours:
# lsan.supp names them. Any other leak or any undefined behaviour fails.
SANITIZER_ENV := LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
BENCH_BUILD := build-bench
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60
WINDOWS_BUILD := build-windows
WEB_BUILD := build-web
# Debian's emscripten runs its JavaScript tools with whatever node is on the
# path; the modules they need (acorn) are Debian's, in /usr/share/nodejs.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

.PHONY: all deps build build-test build-asan run test repeat-gl-tests fuzz soak clean build-bench bench bench-record screenshots example gallery package windows test-windows web serve-web test-web bench-web web-screenshots

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(RUN_BUILD) -DBUILD_TESTING=OFF
	cmake --build $(RUN_BUILD) -j $(JOBS)

build-test: deps
	cmake -S . -B $(TEST_BUILD) -DBUILD_TESTING=ON -DGLITTER_WERROR=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)

# Runs the program from its folder of assets. With no display, shows what it
# looks like instead: screenshots of both modes, rendered under Xvfb.
run: build
	@scripts/run.sh $(RUN_BUILD)/run

# The tests twice: in the plain build, then in one built with Address and
# UndefinedBehavior sanitizers (which leaves out the soak: it measures memory
# itself).
test: build-test build-asan
	cd $(TEST_BUILD) && $(XVFB_RUN) ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) $(XVFB_RUN) ctest --output-on-failure -j $(JOBS)

# The GL unit tests RUNS times in a row (default 30) under make test's own X
# server, counting the runs that fail: the way to show that a flake is gone.
RUNS ?= 30
repeat-gl-tests: build-test
	@cd $(TEST_BUILD) && failed=0 && for run in $$(seq $(RUNS)); do \
	  $(XVFB_RUN) ctest -j $(JOBS) -E '^(e2e|soak)' >/dev/null 2>&1 || { failed=$$((failed + 1)); echo "run $$run failed"; }; \
	done; echo "$$failed of $(RUNS) runs failed"; [ $$failed -eq 0 ]

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DBUILD_TESTING=ON -DGLITTER_WERROR=ON -DGLITTER_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# Fuzzes the BMP reader with libFuzzer, AddressSanitizer and UBSan for
# FUZZ_SECONDS (e.g. `FUZZ_SECONDS=600 make fuzz`), starting from the shipped
# sprite; libFuzzer's mutations of its header reach every check quickly.
# Inputs that reach new code collect in build-fuzz/corpus; a failing input is
# saved as build-fuzz/crash-*. libFuzzer needs clang, whatever compiler
# builds the rest.
FUZZ_FLAGS := -std=c++17 -g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=all -Wall -Wextra -Wconversion -Werror -I.
fuzz: deps
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/seeds
	clang++ $(FUZZ_FLAGS) fuzz/bmp_image_fuzz.cpp gl/bmp_image.cpp gl/failure.cpp gl/files.cpp gl/files_posix.cpp \
	  -o $(FUZZ_BUILD)/bmp_image_fuzz
	cp assets/particle.bmp $(FUZZ_BUILD)/seeds/
	$(FUZZ_BUILD)/bmp_image_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/seeds

# Keeps the program busy under Xvfb with random keys, mode switches and
# resizes for SOAK_SECONDS (default 600, e.g. `SOAK_SECONDS=60 make soak`);
# fails if it dies, writes to stderr or its memory keeps growing.
soak: build
	tests/soak.sh $(RUN_BUILD)/run/glitter assets

# Optimised with symbols, for the benchmark (heaptrack names the functions that
# allocate) and the package.
build-bench: deps
	cmake -S . -B $(BENCH_BUILD) -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BENCH_BUILD) -j $(JOBS)

# Frame rate, frame times, start-up time, peak memory and heap allocations of
# both modes against a bare baseline frame, and the time from a saved shader
# to the picture, under Xvfb (about three minutes; Google Benchmark and
# heaptrack), and the time `glitter --record` takes for 4 s of Glitter mode.
# Fails if Glitter's own code allocates per frame. The report goes to
# docs/benchmarks.md.
bench: build-bench
	bench/run_bench.sh $(BENCH_BUILD) $(BENCH_BUILD)/benchmarks.md docs/benchmarks.md

# The recorder alone: `glitter --record` of 4 s of Glitter mode, timed three
# times under Xvfb against its target of 10 s (make bench times it too).
bench-record: build-bench
	bench/record_bench.sh $(BENCH_BUILD)/run/glitter

# Stills and animated GIFs of both modes, for the README.
screenshots: build
	scripts/screenshots.sh $(RUN_BUILD)/run docs/images

# Puts an example of the gallery in build/run/, where the running program
# shows it at once: `make example NAME=snow`. `make example NAME=default`
# brings the shipped files back; no NAME lists the examples. Builds the
# program first if there is none yet.
example:
	@test -x $(RUN_BUILD)/run/glitter || $(MAKE) build
	@scripts/example.sh "$(NAME)" $(RUN_BUILD)/run

# A still and an animated GIF of every example of examples/, rendered under
# Xvfb, and their page: docs/gallery/.
gallery: build
	scripts/gallery.sh $(RUN_BUILD)/run/glitter docs/gallery

# A Debian package (build-bench/glitter_*.deb) of what `cmake --install` puts
# in place: the program, its assets and the glitter launcher.
package: build-bench
	cd $(BENCH_BUILD) && cpack -G DEB

# glitter.exe for 64-bit Windows, cross-built with MinGW-w64 and zipped with
# its assets: build-windows/glitter-<version>-windows-x64.zip. freeglut and
# GLEW are built once from Debian's source packages into build-windows/deps
# and linked in statically. The configuration is the "windows" preset in
# CMakePresets.json.
windows:
	@scripts/install-deps.sh windows
	scripts/windows-deps.sh $(WINDOWS_BUILD)/deps
	cmake --preset windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cd $(WINDOWS_BUILD) && cpack

# Under Wine on Xvfb: the unit tests of the Windows build, then the zip's
# glitter.exe, unpacked into a scratch folder: start-up failures, a whole
# session with reloads, keys and the mouse, how it treats the console it
# starts with, and its recordings.
test-windows: windows
	rm -rf $(WINDOWS_BUILD)/unzipped && mkdir $(WINDOWS_BUILD)/unzipped
	cd $(WINDOWS_BUILD)/unzipped && cmake -E tar xf ../glitter-*-windows-x64.zip
	bash tests/e2e/units.sh $(WINDOWS_BUILD)/tests/glitter_tests.exe
	for test in startup session console record; do \
	  bash tests/e2e/$$test.sh $(WINDOWS_BUILD)/unzipped/glitter.exe $(WINDOWS_BUILD)/unzipped || exit 1; done

# The web page: build-web/site/ holds index.html, the program as glitter.js
# and glitter.wasm, and the four files it reads, for any static web server.
# npm brings the page's bundler (package-lock.json pins it); the configuration
# is the "web" preset of CMakePresets.json.
web:
	@scripts/install-deps.sh web
	@[ node_modules/.package-lock.json -nt package-lock.json ] || npm ci --no-audit --no-fund
	$(EMSCRIPTEN_ENV) emcmake cmake --preset web
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# Serves the page on 127.0.0.1, at the address it prints, until Ctrl-C; the
# page follows assets/ there, so a file saved in any editor shows in it.
serve-web: web
	@scripts/serve_web.py $(WEB_BUILD)/site --live assets

# The page's frame rate in both modes beside a plain WebGL page making the
# same particle draws (bench/yardstick.html), with the WebGL calls of a
# steady frame; the time from the last keystroke in the page's editor to the
# first frame drawn with the edit (median and 95th percentile over 30
# edits); the time from navigation to the first particles drawn, and the
# size of the page's scripts. In Debian's Chromium on SwiftShader.
# BENCH_WEB_BEFORE=FOLDER measures the site in FOLDER (an earlier build's
# build-web/site, copied) in the same run, for before and after.
bench-web: web
	node bench/frame_rate.mjs $(WEB_BUILD)/site $(BENCH_WEB_BEFORE)
	node bench/edit_latency.mjs
	node bench/first_draw.mjs

# The page's pictures for the README, in docs/images/: the editor with a
# mistyped line marked, and an example picked from the gallery.
web-screenshots: web
	node scripts/web_screenshots.mjs docs/images

# In Debian's Chromium, headless, driven by playwright-core: the unit tests
# built for the web, then the page.
test-web: web build-test
	node --test --test-concurrency=1 tests/web/

clean:
	rm -rf build build-*

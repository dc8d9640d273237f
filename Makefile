# Two commands for newcomers: `make run` and `make test`. Both install any
# missing Debian packages first, then configure and build with CMake.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
RUN_BUILD := build
TEST_BUILD := build-test

.PHONY: all deps build build-test run test clean

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

test: build-test
	cd $(TEST_BUILD) && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-*

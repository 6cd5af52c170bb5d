# The suite's two commands:
#   make run    build what is needed and start the suite on the virtual notebook
#   make test   install what is missing, build the five trees, run every test
.PHONY: all setup configure build native sanitize win64 win32 win32-tests run test screenshots clean fuzz bench

# The trees are the presets of CMakePresets.json.

all: build

setup:
	scripts/setup

native: setup
	cmake --preset native >/dev/null
	cmake --build build/native

sanitize: setup
	cmake --preset native-sanitize >/dev/null
	cmake --build build/native-sanitize

win64: setup
	cmake --preset win64 >/dev/null
	cmake --build build/win64

win32: setup
	cmake --preset win32 >/dev/null
	cmake --build build/win32

# The tests of the shipping images, run on the 32-bit Wine.
win32-tests: setup win32
	cmake --preset win32-tests >/dev/null
	cmake --build build/win32-tests

build: native win64 win32 win32-tests

run: win64
	scripts/run

test: native sanitize win64 win32 win32-tests
	scripts/test

screenshots: win64
	scripts/screenshots

# Every outside input under libFuzzer (clang): the fuzzers, their seeds and
# floors are listed in scripts/fuzzers.txt; each runs FUZZ_SECONDS from its
# seeds alone and fails on a finding or below its floor (scripts/fuzz).
FUZZ_SECONDS ?= 60

fuzz: setup
	FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz

# The benchmarks: the placement benchmark, built optimised (save files made
# contiguous on fragmented sparse FAT32 images of 4 and 16 GiB; the 16 GiB row
# writes about 8 GiB into build/bench/images and is skipped when there is no
# room), then each windowed program's start-up against the minimal window
# under Wine (scripts/startup-bench, docs/startup.md).
bench: setup win64
	cmake --preset bench >/dev/null
	cmake --build build/bench --target placement-bench
	build/bench/bin/placement-bench build/bench/images
	scripts/with-display scripts/startup-bench build/win64

clean:
	rm -rf build

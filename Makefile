# The suite's two commands:
#   make run    build what is needed and start the suite on the virtual notebook
#   make test   install what is missing, build the four trees, run every test
.PHONY: all setup configure build native sanitize win64 win32 run test screenshots clean fuzz bench

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

build: native win64 win32

run: win64
	scripts/run

test: native sanitize win64 win32
	scripts/test

screenshots: win64
	scripts/screenshots

# The placement engines and merovant's SMBIOS walk under libFuzzer (clang),
# each FUZZ_SECONDS long, with the code under test instrumented for coverage.
# Seeds are built into read-only folders (build/fuzz/seeds/*); new inputs go
# to build/fuzz/found/*. A run fails on a finding or when the coverage it
# reaches (libFuzzer's "cov:") falls below its floor here.
FUZZ_SECONDS ?= 60
FUZZ_FLOOR_VOLUME ?= 1700
FUZZ_FLOOR_FSCTL ?= 1700
FUZZ_FLOOR_SMBIOS ?= 40
fuzz: setup
	cmake --preset fuzz >/dev/null
	cmake --build build/fuzz --target volume_fuzzer fsctl_fuzzer smbios_fuzzer
	save_to_disk/fuzz/make-seeds build/fuzz
	save_to_disk/fuzz/run-fuzzer build/fuzz volume_fuzzer volume $(FUZZ_SECONDS) $(FUZZ_FLOOR_VOLUME)
	FSCTL_FUZZ_VOLUME=build/fuzz/fsctl-volume.img \
	  save_to_disk/fuzz/run-fuzzer build/fuzz fsctl_fuzzer fsctl $(FUZZ_SECONDS) $(FUZZ_FLOOR_FSCTL)
	chmod u+w build/fuzz/seeds && mkdir -p build/fuzz/seeds/smbios && chmod a-w build/fuzz/seeds
	save_to_disk/fuzz/run-fuzzer build/fuzz smbios_fuzzer smbios $(FUZZ_SECONDS) $(FUZZ_FLOOR_SMBIOS)

# The placement benchmark, built optimised: save files made contiguous on
# fragmented sparse FAT32 images of 4 and 16 GiB (the 16 GiB row writes about
# 8 GiB into build/bench/images and is skipped when there is no room).
bench: setup
	cmake --preset bench >/dev/null
	cmake --build build/bench --target placement-bench
	build/bench/bin/placement-bench build/bench/images

clean:
	rm -rf build

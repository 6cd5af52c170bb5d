# The suite's two commands:
#   make run    build what is needed and start the suite on the virtual notebook
#   make test   install what is missing, build all three trees, run every test
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

# The FAT placement engine under libFuzzer (clang), FUZZ_SECONDS long, from
# seed volumes made by mkfs.fat; then merovant's SMBIOS walk as long.
FUZZ_SECONDS ?= 60
fuzz: setup
	cmake --preset fuzz >/dev/null
	cmake --build build/fuzz --target volume_fuzzer smbios_fuzzer
	mkdir -p build/fuzz/corpus
	for bits in 12 16; do rm -f build/fuzz/corpus/seed$$bits; \
	  PATH=/usr/sbin:/sbin:$$PATH mkfs.fat -C -F $$bits -s 1 build/fuzz/corpus/seed$$bits $$([ $$bits = 12 ] && echo 256 || echo 2560) >/dev/null; done
	build/fuzz/bin/volume_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -max_len=4194304 build/fuzz/corpus
	mkdir -p build/fuzz/smbios-corpus
	build/fuzz/bin/smbios_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=2048 build/fuzz/smbios-corpus

# The placement benchmark: a 1 GiB file made contiguous on a fragmented 4 GiB
# FAT32 image (needs about 4 GiB free in build/).
bench: native
	build/native/bin/placement-bench build/bench

clean:
	rm -rf build

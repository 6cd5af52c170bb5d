# The suite's two commands:
#   make run    build what is needed and start the suite on the virtual notebook
#   make test   install what is missing, build all three trees, run every test
.PHONY: all setup configure build native sanitize win64 win32 run test screenshots clean fuzz bench

GENERATOR := -G Ninja
CMAKE_NATIVE   := cmake -S . -B build/native $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug
CMAKE_SANITIZE := cmake -S . -B build/native-sanitize $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=ON
CMAKE_WIN64    := cmake -S . -B build/win64 $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
CMAKE_WIN32    := cmake -S . -B build/win32 $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

all: build

setup:
	scripts/setup

native: setup
	$(CMAKE_NATIVE) >/dev/null
	cmake --build build/native

sanitize: setup
	$(CMAKE_SANITIZE) >/dev/null
	cmake --build build/native-sanitize

win64: setup
	$(CMAKE_WIN64) >/dev/null
	cmake --build build/win64

win32: setup
	$(CMAKE_WIN32) >/dev/null
	cmake --build build/win32

build: native win64 win32

run: win64
	scripts/run

test: native sanitize win64 win32
	scripts/test

screenshots: win64
	scripts/screenshots

# The FAT placement engine under libFuzzer (clang), FUZZ_SECONDS long, from
# seed volumes made by mkfs.fat.
FUZZ_SECONDS ?= 60
CMAKE_FUZZ := cmake -S . -B build/fuzz $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
	-DCMAKE_CXX_COMPILER=clang++ -DSUITE_FUZZ=ON -DSUITE_SANITIZE=ON -DSUITE_TESTS=OFF
fuzz: setup
	$(CMAKE_FUZZ) >/dev/null
	cmake --build build/fuzz --target volume_fuzzer
	mkdir -p build/fuzz/corpus
	for bits in 12 16; do rm -f build/fuzz/corpus/seed$$bits; \
	  PATH=/usr/sbin:/sbin:$$PATH mkfs.fat -C -F $$bits -s 1 build/fuzz/corpus/seed$$bits $$([ $$bits = 12 ] && echo 256 || echo 2560) >/dev/null; done
	build/fuzz/bin/volume_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -max_len=4194304 build/fuzz/corpus

# The placement benchmark: a 1 GiB file made contiguous on a fragmented 4 GiB
# FAT32 image (needs about 4 GiB free in build/).
bench: native
	build/native/bin/placement-bench build/bench

clean:
	rm -rf build

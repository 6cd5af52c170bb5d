# The suite's two commands:
#   make run    build what is needed and start the suite on the virtual notebook
#   make test   install what is missing, build all three trees, run every test
.PHONY: all setup configure build native sanitize win64 win32 run test screenshots clean

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

clean:
	rm -rf build

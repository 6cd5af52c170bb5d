# MinGW-w64 i686 with the -posix compilers: the tests of the shipping images,
# which run on the 32-bit Wine (GoogleTest needs std::mutex, which only the
# -posix runtime has). Never the images themselves: see mingw-i686.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)

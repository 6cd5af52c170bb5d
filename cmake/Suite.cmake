# Build rules shared by every part of the suite.
#
# Three kinds of tree use these rules:
#   native  host g++: the portable core and its tests (optionally sanitized)
#   win64   MinGW x86_64: every program and the Windows tests, run under Wine
#   win32   MinGW i686: the shipping programs for Windows 95/98/NT 4.0, no tests

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(SUITE_SHIPPING ON)
else()
  set(SUITE_SHIPPING OFF)
endif()

# The shipping tree builds the Windows test programs (so that everything links
# for i686 too) but runs none: Wine here has no 32-bit side.

add_compile_options(-Wall -Wextra)

if(WIN32)
  enable_language(RC)
  # Resource scripts are UTF-8; windres turns each LANGUAGE block into the right code page.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")
  # Declare no API newer than the oldest system the suite runs on; anything newer
  # is resolved at run time with GetProcAddress.
  add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX STRICT)
  # Every image carries its C++ runtime, so nothing but system DLLs is needed.
  add_link_options(-static -static-libgcc -static-libstdc++)
  if(SUITE_SHIPPING)
    add_link_options(-Wl,--major-os-version,4 -Wl,--minor-os-version,0
                     -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0)
  endif()
  # ctest runs the Windows tests through Wine in this tree's own prefix.
  set(SUITE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${SUITE_WINEPREFIX} ${CMAKE_SOURCE_DIR}/scripts/wine)
endif()

if(SUITE_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "SUITE_SANITIZE is for the native tree")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(SUITE_TESTS)
  enable_testing()
  include(GoogleTest)
  if(NOT TARGET GTest::gtest_main)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
endif()

# suite_portable_library(NAME SOURCES...)
# Portable core: no <windows.h>; built in every tree.
function(suite_portable_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# suite_native_test(NAME SOURCES... [LIBS libs...])
# A GoogleTest program of the portable core, run natively by ctest.
function(suite_native_test name)
  if(WIN32 OR NOT SUITE_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endfunction()

# suite_windows_test(NAME SOURCES... [LIBS libs...] [RESOURCES rc...] [PROPERTIES prop value...])
# A GoogleTest program of the Win32 layer, run under Wine by ctest in the win64
# tree; the shipping tree only builds it. PROPERTIES are set on each of its
# tests (RESOURCE_LOCK virtual_notebook for tests that share the driver).
function(suite_windows_test name)
  if(NOT WIN32 OR NOT SUITE_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "LIBS;RESOURCES;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(NOT SUITE_SHIPPING)
    if(T_PROPERTIES)
      gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES ${T_PROPERTIES})
    else()
      gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
    endif()
  endif()
endfunction()

# suite_windows_program(NAME GUI|CONSOLE SOURCES...)
# One of the suite's Windows programs. GUI programs get the subsystem "windows",
# console programs the subsystem "console"; both at version 4.0 in the shipping tree.
function(suite_windows_program name kind)
  if(NOT WIN32)
    return()
  endif()
  if(kind STREQUAL "GUI")
    add_executable(${name} WIN32 ${ARGN})
  elseif(kind STREQUAL "CONSOLE")
    add_executable(${name} ${ARGN})
  else()
    message(FATAL_ERROR "suite_windows_program: kind must be GUI or CONSOLE, not ${kind}")
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# Build rules shared by every part of the suite.
#
# Four kinds of tree use these rules:
#   native       host g++: the portable core and its tests (optionally sanitized)
#   win64        MinGW x86_64: every program and the Windows tests, run under Wine
#   win32        MinGW i686: the shipping programs for Windows 95/98/NT 4.0, no tests
#   win32-tests  MinGW i686 (SUITE_SHIPPING_TESTS): the tests of the win32 tree's
#                images, run on the 32-bit Wine in that tree's prefix

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND NOT SUITE_SHIPPING_TESTS)
  set(SUITE_SHIPPING ON)
else()
  set(SUITE_SHIPPING OFF)
endif()

# The shipping tree holds the product images and the virtual notebook they run
# on under the 32-bit Wine (simulator/CMakeLists.txt): no tests, no test programs.
if(SUITE_SHIPPING AND SUITE_TESTS)
  message(FATAL_ERROR "the shipping tree builds no tests: configure it with -DSUITE_TESTS=OFF")
endif()

add_compile_options(-Wall -Wextra)

# ccache, where the machine has it, shares compiled objects between trees and
# checkouts: with the source folder as its base, the paths it hashes are
# relative, so a second clone compiles nothing it has seen.
find_program(SUITE_CCACHE ccache)
if(SUITE_CCACHE)
  foreach(lang C CXX)
    set(CMAKE_${lang}_COMPILER_LAUNCHER env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1 ${SUITE_CCACHE})
  endforeach()
endif()

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
  # ctest runs the Windows tests through Wine in this tree's own prefix; the
  # tests of the shipping images run in the shipping tree's, beside its images.
  set(SUITE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  if(SUITE_SHIPPING_TESTS)
    set(SUITE_SHIPPING_TREE ${CMAKE_SOURCE_DIR}/build/win32 CACHE PATH "The shipping tree whose images the tests run")
    set(SUITE_WINEPREFIX ${SUITE_SHIPPING_TREE}/wineprefix)
  endif()
endif()

if(SUITE_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "SUITE_SANITIZE is for the native tree")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz tree (make fuzz, clang): every object carries libFuzzer's coverage
# counters, so that a fuzzer sees all the code its harness drives, whichever
# library holds it. The targets themselves are declared with suite_fuzzer.
if(SUITE_FUZZ)
  if(WIN32)
    message(FATAL_ERROR "SUITE_FUZZ is for the native clang tree")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_custom_target(fuzzers)
endif()

if(SUITE_TESTS OR SUITE_SHIPPING_TESTS)
  enable_testing()
  include(GoogleTest)
  if(NOT TARGET GTest::gtest_main)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
endif()

# The checks that run scripts alone, and no code of the tree, run in the plain
# native tree and not again in the sanitized one.
if(SUITE_TESTS AND NOT WIN32 AND NOT SUITE_SANITIZE)
  set(SUITE_SCRIPT_TESTS ON)
else()
  set(SUITE_SCRIPT_TESTS OFF)
endif()

# A test that uses a virtual notebook, its Wine prefix and its programs' folder
# takes one of the notebooks that the runner offers (the resource "notebooks"
# of scripts/wine-tests and scripts/shipping-tests): two tests never share one,
# and tests on different notebooks run side by side.
set(SUITE_ON_A_NOTEBOOK RESOURCE_GROUPS notebooks:1)

# The suite's deliverables, read from deliverables.txt: SUITE_DELIVERABLES
# names their targets, and SUITE_<name>_FOLDER, _RESOURCES, _IMAGE, _PLACE and
# _LANGUAGES hold the other columns of each.
function(suite_read_deliverables)
  set(list ${CMAKE_SOURCE_DIR}/deliverables.txt)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
  file(STRINGS ${list} lines REGEX "^[^#]")
  set(names)
  foreach(line ${lines})
    string(REGEX MATCHALL "[^ \t]+" columns "${line}")
    list(LENGTH columns count)
    if(NOT count EQUAL 6)
      message(FATAL_ERROR "deliverables.txt: six columns wanted, not: ${line}")
    endif()
    list(GET columns 0 name)
    list(APPEND names ${name})
    set(index 1)
    foreach(column FOLDER RESOURCES IMAGE PLACE LANGUAGES)
      list(GET columns ${index} value)
      set(SUITE_${name}_${column} ${value} PARENT_SCOPE)
      math(EXPR index "${index} + 1")
    endforeach()
  endforeach()
  set(SUITE_DELIVERABLES ${names} PARENT_SCOPE)
endfunction()

# suite_portable_library(NAME SOURCES... [LIBS libs...])
# Portable core: no <windows.h>; built in every tree.
function(suite_portable_library name)
  cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
  add_library(${name} STATIC ${L_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(L_LIBS)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  endif()
endfunction()

# suite_windows_library(NAME SOURCES... [LIBS libs...])
# Win32 code that a program and its tests link: built in the Windows trees only.
function(suite_windows_library name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
  add_library(${name} STATIC ${L_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(L_LIBS)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  endif()
endfunction()

# suite_resources(NAME FOLDER SCRIPT)
# The resource script resources/FOLDER/SCRIPT compiled once, as an object
# library that the program and its tests link. windres reports none of the
# files a script pulls in, so every file of the folder (string tables, dialogs,
# resource.h, bitmaps, icons) is a dependency: changing any of them rebuilds it.
function(suite_resources name folder script)
  if(NOT WIN32)
    return()
  endif()
  set(dir ${CMAKE_SOURCE_DIR}/resources/${folder})
  add_library(${name} OBJECT ${dir}/${script})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${dir})
  file(GLOB_RECURSE inputs CONFIGURE_DEPENDS
    ${dir}/*.rc ${dir}/*.h ${dir}/*.bmp ${dir}/*.ico ${dir}/*.cur ${dir}/*.manifest)
  list(REMOVE_ITEM inputs ${dir}/${script})
  set_source_files_properties(${dir}/${script} PROPERTIES OBJECT_DEPENDS "${inputs}")
endfunction()

# The VERSIONINFO and manifest of one image, from the templates in
# cmake/templates; sets OUT to the resource script made.
function(suite_version_resource out name file_name file_type manifest_id description)
  set(SUITE_INTERNAL_NAME ${name})
  set(SUITE_FILE_NAME ${file_name})
  set(SUITE_FILE_TYPE ${file_type})
  set(SUITE_MANIFEST_ID ${manifest_id})
  set(SUITE_DESCRIPTION "${description}")
  set(SUITE_MANIFEST_FILE ${CMAKE_CURRENT_BINARY_DIR}/${name}.manifest)
  set(templates ${CMAKE_SOURCE_DIR}/cmake/templates)
  configure_file(${templates}/program.manifest.in ${SUITE_MANIFEST_FILE} @ONLY)
  configure_file(${templates}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc @ONLY)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc PROPERTIES
    OBJECT_DEPENDS ${SUITE_MANIFEST_FILE})
  set(${out} ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc PARENT_SCOPE)
endfunction()

# suite_entry_point(NAME SOURCE)
# A program's entry point (WinMain or main) as an object library, shared by
# the program and its test build, which links another seam.
function(suite_entry_point name source)
  if(NOT WIN32)
    return()
  endif()
  add_library(${name} OBJECT ${source})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# suite_windows_program(NAME GUI|CONSOLE|APPLET SOURCES... DESCRIPTION text [LIBS libs...])
# One of the suite's Windows images, with its VERSIONINFO and manifest. GUI
# programs get the subsystem "windows", console programs "console"; an APPLET
# is a Control Panel DLL, NAME.cpl. All at version 4.0 in the shipping tree.
function(suite_windows_program name kind)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(P "" "DESCRIPTION" "LIBS" ${ARGN})
  if(NOT P_DESCRIPTION)
    message(FATAL_ERROR "suite_windows_program(${name}): DESCRIPTION is required")
  endif()
  if(kind STREQUAL "GUI")
    suite_version_resource(version ${name} ${name}.exe VFT_APP CREATEPROCESS_MANIFEST_RESOURCE_ID "${P_DESCRIPTION}")
    add_executable(${name} WIN32 ${P_UNPARSED_ARGUMENTS} ${version})
  elseif(kind STREQUAL "CONSOLE")
    suite_version_resource(version ${name} ${name}.exe VFT_APP CREATEPROCESS_MANIFEST_RESOURCE_ID "${P_DESCRIPTION}")
    add_executable(${name} ${P_UNPARSED_ARGUMENTS} ${version})
  elseif(kind STREQUAL "APPLET")
    suite_version_resource(version ${name} ${name}.cpl VFT_DLL ISOLATIONAWARE_MANIFEST_RESOURCE_ID "${P_DESCRIPTION}")
    add_library(${name} SHARED ${P_UNPARSED_ARGUMENTS} ${version})
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".cpl")
  else()
    message(FATAL_ERROR "suite_windows_program: kind must be GUI, CONSOLE or APPLET, not ${kind}")
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(P_LIBS)
    target_link_libraries(${name} PRIVATE ${P_LIBS})
  endif()
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

# suite_windows_test(NAME SOURCES... [LIBS libs...] [RESOURCES rc...] [PROPERTIES prop value...] [BARE_PREFIX])
# A GoogleTest program of the Win32 layer, run under Wine by ctest in the win64
# tree, with the manifest the programs have. LIBS may name a program's
# resource object library. PROPERTIES are set on each of its tests. Each test
# takes a virtual notebook of its own (SUITE_ON_A_NOTEBOOK), or with
# BARE_PREFIX runs in the tree's prefix without the notebook's drivers.
function(suite_windows_test name)
  if(NOT WIN32 OR NOT (SUITE_TESTS OR SUITE_SHIPPING_TESTS))
    return()
  endif()
  cmake_parse_arguments(T "BARE_PREFIX" "" "LIBS;RESOURCES;PROPERTIES" ${ARGN})
  suite_version_resource(version ${name} ${name}.exe VFT_APP CREATEPROCESS_MANIFEST_RESOURCE_ID "Test of the Merovant suite")
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${T_RESOURCES} ${version})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  set(prefix ${SUITE_WINEPREFIX})
  if(T_BARE_PREFIX)
    # A machine without the notebook's drivers: the tree's second prefix.
    set(prefix ${CMAKE_BINARY_DIR}/wineprefix-bare)
  else()
    list(APPEND T_PROPERTIES ${SUITE_ON_A_NOTEBOOK})
  endif()
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "${CMAKE_SOURCE_DIR}/tests/support/wine_test_program.sh;${prefix}")
  if(T_PROPERTIES)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES ${T_PROPERTIES})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
  endif()
endfunction()

# suite_fuzzer(NAME sources... LIBS ...): a libFuzzer target of the fuzz tree
# (nothing in the other trees); `cmake --build build/fuzz --target fuzzers`
# builds them all. scripts/fuzzers.txt lists how make fuzz runs each one.
function(suite_fuzzer name)
  if(NOT SUITE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "LIBS" ${ARGN})
  add_executable(${name} ${F_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzzers ${name})
endfunction()

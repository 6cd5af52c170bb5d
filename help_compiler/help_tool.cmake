# The help compiler in a Windows tree. It runs on the build machine, so the
# tree builds it with the host's compiler as an external project of the same
# sources (build/<tree>/host), whatever other tree exists: `make win64` and
# `make win32` each work on a fresh clone.
include(ExternalProject)

set(SUITE_HOST_DIR ${CMAKE_BINARY_DIR}/host)
set(SUITE_HLPC ${SUITE_HOST_DIR}/bin/hlpc)
ExternalProject_Add(host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${SUITE_HOST_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DSUITE_TESTS=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${SUITE_HOST_DIR} --target hlpc
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${SUITE_HLPC}
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD OFF)

# suite_help_output(SOURCE OUT): where the help source
# resources/<folder>/help/help_<LANGID>.txt is compiled to:
# help/<LANGID>/<program>.hlp, named after the image of the deliverable whose
# resources are that folder (deliverables.txt).
function(suite_help_output source out)
  string(REGEX MATCH "resources/([^/]+)/help/help_([0-9]+)\\.txt$" matched ${source})
  if(NOT matched)
    message(FATAL_ERROR "${source}: help sources are resources/<program>/help/help_<LANGID>.txt")
  endif()
  set(folder ${CMAKE_MATCH_1})
  set(language ${CMAKE_MATCH_2})
  foreach(name ${SUITE_DELIVERABLES})
    if(SUITE_${name}_RESOURCES STREQUAL folder)
      get_filename_component(program ${SUITE_${name}_IMAGE} NAME_WE)
      set(${out} ${CMAKE_BINARY_DIR}/help/${language}/${program}.hlp PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${source}: no deliverable has its resources in resources/${folder}")
endfunction()

# suite_help_file(SOURCE OUTPUT): compiles a help source with the host's hlpc.
function(suite_help_file source output)
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${SUITE_HLPC} ${source} ${output}
    DEPENDS ${source} ${SUITE_HLPC} host_tools
    COMMENT "Compiling the help file ${output}")
endfunction()

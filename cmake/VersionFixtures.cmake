# Small Windows executables with chosen version resources, made at build time from the .rc files
# in tests/fixtures/versions with the MinGW resource compiler and linker, for the tests and the
# benchmarks of every build.
set(TOVREL_VERSION_FIXTURE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/fixtures/versions)
foreach(arch i686 x86_64)
  find_program(TOVREL_WINDRES_${arch} ${arch}-w64-mingw32-windres REQUIRED)
  find_program(TOVREL_MINGW_GCC_${arch} ${arch}-w64-mingw32-gcc REQUIRED)
endforeach()

# tovrel_version_fixture(OUTPUT file.exe ARCH i686|x86_64 [RC name.rc] [BULK bytes]): an
# executable of the architecture with the version resource of the .rc file (none without RC; a
# relative name is one of tests/fixtures/versions), and with BULK bytes of data in a section
# before the resources.
function(tovrel_version_fixture)
  cmake_parse_arguments(ARG "" "OUTPUT;ARCH;RC;BULK" "" ${ARGN})
  set(dir ${TOVREL_VERSION_FIXTURE_SOURCES})
  set(inputs ${dir}/start.c)
  set(depends ${dir}/start.c)
  set(resource_step)
  if(ARG_RC)
    cmake_path(ABSOLUTE_PATH ARG_RC BASE_DIRECTORY ${dir} OUTPUT_VARIABLE rc)
    set(object ${ARG_OUTPUT}.res.o)
    set(resource_step COMMAND ${TOVREL_WINDRES_${ARG_ARCH}} -c 65001 -O coff -i ${rc} -o ${object})
    list(APPEND inputs ${object})
    list(APPEND depends ${rc})
  endif()
  if(ARG_BULK)
    list(APPEND inputs -DBULK_SIZE=${ARG_BULK} ${dir}/bulk.S)
    list(APPEND depends ${dir}/bulk.S)
  endif()
  # The i686 object format prefixes C names with an underscore.
  set(entry start)
  if(ARG_ARCH STREQUAL "i686")
    set(entry _start)
  endif()
  get_filename_component(output_dir ${ARG_OUTPUT} DIRECTORY)
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    ${resource_step}
    COMMAND ${TOVREL_MINGW_GCC_${ARG_ARCH}} -nostdlib -Wl,-e,${entry} -o ${ARG_OUTPUT} ${inputs}
    DEPENDS ${depends}
    VERBATIM)
endfunction()

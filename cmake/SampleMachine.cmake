# The sample machine of examples/machine made runnable in ${TOVREL_SAMPLE_MACHINE} (target
# sample_machine): its registry files, drive folders and settings file, with the executables and
# version carriers of versions.txt built from version resources. Its Office products are the
# stand-in MSI packages ${TOVREL_SAMPLE_OFFICE_PACKAGES}. On Windows builds they are copied into
# the machine's packages/ for scripts/machine-into-wine to install; elsewhere they are installed
# into a throw-away Wine prefix at build time, and the registry keys and files that msiexec wrote
# become part of the machine, so that the portable backend reads a real installation.
include(${CMAKE_CURRENT_LIST_DIR}/VersionFixtures.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/OfficePackages.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/SampleVersions.cmake)

set(TOVREL_SAMPLE_MACHINE ${CMAKE_BINARY_DIR}/sample-machine)
set(sample_source ${CMAKE_SOURCE_DIR}/examples/machine)
set(sample_parts ${CMAKE_BINARY_DIR}/sample-machine-parts)
set(TOVREL_SAMPLE_OFFICE_PACKAGES)
foreach(name office2010 office2007-excel office2003)
  list(APPEND TOVREL_SAMPLE_OFFICE_PACKAGES ${TOVREL_OFFICE_PACKAGE_DIR}/${name}.msi)
endforeach()

# The carriers are built under flat names and put in place by the assembly.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sample_source}/versions.txt
                                                               ${CMAKE_CURRENT_LIST_DIR}/SampleVersion.rc.in)
tovrel_read_sample_versions(${sample_source}/versions.txt)
set(sample_carriers)
math(EXPR last "${sample_version_count} - 1")
foreach(index RANGE ${last})
  set(carrier ${sample_parts}/versions/carrier-${index})
  if(sample_version_${index}_block STREQUAL "-")
    tovrel_version_fixture(OUTPUT ${carrier}.exe ARCH i686)
  else()
    set(binary_version ${sample_version_${index}_binary})
    set(text_version ${sample_version_${index}_text})
    set(block ${sample_version_${index}_block})
    string(SUBSTRING ${block} 0 4 language)
    string(SUBSTRING ${block} 4 4 code_page)
    get_filename_component(file_name "${sample_version_${index}_drive_path}" NAME)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/SampleVersion.rc.in ${carrier}.rc @ONLY)
    tovrel_version_fixture(OUTPUT ${carrier}.exe ARCH i686 RC ${carrier}.rc)
  endif()
  list(APPEND sample_carriers ${carrier}.exe)
endforeach()

set(sample_inputs ${sample_carriers})
set(sample_packages)
if(WIN32)
  set(sample_office -)
  list(APPEND sample_inputs ${TOVREL_SAMPLE_OFFICE_PACKAGES})
  list(JOIN TOVREL_SAMPLE_OFFICE_PACKAGES | sample_packages)
else()
  set(sample_office ${sample_parts}/office)
  add_custom_command(
    OUTPUT ${sample_parts}/office.stamp
    COMMAND ${CMAKE_COMMAND} -E env TOVREL_WINE_BASE=${TOVREL_WINE_BASE}
            ${CMAKE_SOURCE_DIR}/scripts/machine-office-part ${sample_parts}/wineprefix
            ${sample_office} ${TOVREL_SAMPLE_OFFICE_PACKAGES}
    COMMAND ${CMAKE_COMMAND} -E touch ${sample_parts}/office.stamp
    DEPENDS ${TOVREL_SAMPLE_OFFICE_PACKAGES} ${CMAKE_SOURCE_DIR}/scripts/machine-office-part
            ${CMAKE_SOURCE_DIR}/scripts/machine-into-wine
    VERBATIM)
  list(APPEND sample_inputs ${sample_parts}/office.stamp)
endif()

file(GLOB_RECURSE sample_files CONFIGURE_DEPENDS ${sample_source}/*)
add_custom_command(
  OUTPUT ${sample_parts}/assembled.stamp
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${sample_source} -DOUTPUT=${TOVREL_SAMPLE_MACHINE}
          -DCARRIERS=${sample_parts}/versions -DOFFICE=${sample_office}
          -DPACKAGES=${sample_packages}
          -P ${CMAKE_CURRENT_LIST_DIR}/AssembleSampleMachine.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${sample_parts}/assembled.stamp
  DEPENDS ${sample_files} ${sample_inputs} ${CMAKE_CURRENT_LIST_DIR}/AssembleSampleMachine.cmake
          ${CMAKE_CURRENT_LIST_DIR}/SampleVersions.cmake
  VERBATIM)
add_custom_target(sample_machine ALL DEPENDS ${sample_parts}/assembled.stamp)
add_dependencies(sample_machine office_packages)

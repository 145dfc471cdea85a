# Stand-in Office products as real MSI packages, built with wixl from tests/data/office/*.wxs into
# ${TOVREL_OFFICE_PACKAGE_DIR}/<name>.msi, for the tests and the sample machine. Each installs a
# stand-in EXCEL.EXE (or WINWORD.EXE) where the .wxs says.
include_guard(GLOBAL)
find_program(WIXL wixl REQUIRED)
set(TOVREL_OFFICE_PACKAGE_DIR ${CMAKE_BINARY_DIR}/office)
set(office_sources ${CMAKE_CURRENT_LIST_DIR}/../tests/data/office)
file(MAKE_DIRECTORY ${TOVREL_OFFICE_PACKAGE_DIR})
file(WRITE ${TOVREL_OFFICE_PACKAGE_DIR}/EXCEL.EXE "stand-in program\n")
set(office_package_files)
foreach(name office2010 office2007-word office2007-excel office2003 office2000)
  set(source ${office_sources}/${name}.wxs)
  add_custom_command(OUTPUT ${TOVREL_OFFICE_PACKAGE_DIR}/${name}.msi
                     COMMAND ${WIXL} -o ${name}.msi ${source}
                     DEPENDS ${source} WORKING_DIRECTORY ${TOVREL_OFFICE_PACKAGE_DIR} VERBATIM)
  list(APPEND office_package_files ${TOVREL_OFFICE_PACKAGE_DIR}/${name}.msi)
endforeach()
add_custom_target(office_packages ALL DEPENDS ${office_package_files})

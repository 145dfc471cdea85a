# cmake -DSOURCE=examples/machine -DOUTPUT=dir -DCARRIERS=dir -DOFFICE=dir|- [-DPACKAGES=a.msi|b.msi...]
#       -P AssembleSampleMachine.cmake
# Makes OUTPUT afresh: the registry files, drive folders and settings file of SOURCE, each
# carrier-<i>.exe of CARRIERS at the place line i of SOURCE/versions.txt names, the registry files
# and drive files of an installed Office part (OFFICE), and the packages in packages/.
include(${CMAKE_CURRENT_LIST_DIR}/SampleVersions.cmake)

file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
file(COPY ${SOURCE}/registry ${SOURCE}/drives ${SOURCE}/settings.xml DESTINATION ${OUTPUT})

tovrel_read_sample_versions(${SOURCE}/versions.txt)
math(EXPR last "${sample_version_count} - 1")
foreach(index RANGE ${last})
  set(target "${OUTPUT}/drives/${sample_version_${index}_drive_path}")
  get_filename_component(folder "${target}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE ${CARRIERS}/carrier-${index}.exe "${target}")
endforeach()

if(NOT OFFICE STREQUAL "-")
  file(COPY ${OFFICE}/registry ${OFFICE}/drives DESTINATION ${OUTPUT})
endif()
if(PACKAGES)
  string(REPLACE "|" ";" packages "${PACKAGES}")
  file(COPY ${packages} DESTINATION ${OUTPUT}/packages)
endif()

# Fetches Debian's source package PACKAGE into WORK_DIR and copies FILES (paths inside the
# unpacked source, separated by ',') into OUTPUT_DIR, each under its own name. With
# SOURCE_DIR set, copies from that unpacked source instead (for machines without the
# network).
#   cmake -DPACKAGE=... -DFILES=... -DWORK_DIR=... -DOUTPUT_DIR=... [-DSOURCE_DIR=...]
#         -P FetchDebianSource.cmake
if(SOURCE_DIR)
  set(unpacked "${SOURCE_DIR}")
else()
  file(REMOVE_RECURSE "${WORK_DIR}")
  file(MAKE_DIRECTORY "${WORK_DIR}")
  execute_process(COMMAND apt-get source -q ${PACKAGE}
                  WORKING_DIRECTORY "${WORK_DIR}"
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "apt-get source ${PACKAGE} failed (is the deb-src entry of "
                        "scripts/setup.sh in place?):\n${errors}")
  endif()
  file(GLOB unpacked LIST_DIRECTORIES true "${WORK_DIR}/${PACKAGE}-*")
  list(FILTER unpacked EXCLUDE REGEX "\\.(tar\\..*|dsc)$")
endif()
string(REPLACE "," ";" files "${FILES}")
set(copies)
foreach(file IN LISTS files)
  if(NOT EXISTS "${unpacked}/${file}")
    message(FATAL_ERROR "no ${file} in '${unpacked}'")
  endif()
  list(APPEND copies "${unpacked}/${file}")
endforeach()
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
file(COPY ${copies} DESTINATION "${OUTPUT_DIR}")

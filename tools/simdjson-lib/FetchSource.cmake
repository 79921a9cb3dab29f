# Fetches Debian's simdjson source package into WORK_DIR and copies the single-file
# library (singleheader/simdjson.cpp and simdjson.h) and its licence into OUTPUT_DIR.
# With SOURCE_DIR set, copies from that unpacked source instead (for machines without
# the network).
#   cmake -DWORK_DIR=... -DOUTPUT_DIR=... [-DSOURCE_DIR=...] -P FetchSource.cmake
if(SOURCE_DIR)
  set(unpacked "${SOURCE_DIR}")
else()
  file(REMOVE_RECURSE "${WORK_DIR}")
  file(MAKE_DIRECTORY "${WORK_DIR}")
  execute_process(COMMAND apt-get source -q simdjson
                  WORKING_DIRECTORY "${WORK_DIR}"
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "apt-get source simdjson failed (is the deb-src entry of "
                        "scripts/setup.sh in place?):\n${errors}")
  endif()
  file(GLOB unpacked LIST_DIRECTORIES true "${WORK_DIR}/simdjson-*")
  list(FILTER unpacked EXCLUDE REGEX "\\.(tar\\..*|dsc)$")
endif()
set(single "${unpacked}/singleheader")
if(NOT EXISTS "${single}/simdjson.cpp" OR NOT EXISTS "${single}/simdjson.h")
  message(FATAL_ERROR "no singleheader/simdjson.cpp and simdjson.h in '${unpacked}'")
endif()
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
file(COPY "${single}/simdjson.cpp" "${single}/simdjson.h" "${unpacked}/LICENSE"
     DESTINATION "${OUTPUT_DIR}")

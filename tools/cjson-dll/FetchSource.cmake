# Fetches Debian's cJSON source package into WORK_DIR and copies the files the DLL
# is built from into OUTPUT_DIR. With SOURCE_DIR set, copies from that unpacked
# source instead (for machines without the network).
#   cmake -DWORK_DIR=... -DOUTPUT_DIR=... [-DSOURCE_DIR=...] -P FetchSource.cmake
if(SOURCE_DIR)
  set(unpacked "${SOURCE_DIR}")
else()
  file(REMOVE_RECURSE "${WORK_DIR}")
  file(MAKE_DIRECTORY "${WORK_DIR}")
  execute_process(COMMAND apt-get source -q cjson
                  WORKING_DIRECTORY "${WORK_DIR}"
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "apt-get source cjson failed (is the deb-src entry of scripts/setup.sh "
                        "in place?):\n${errors}")
  endif()
  file(GLOB unpacked LIST_DIRECTORIES true "${WORK_DIR}/cjson-*")
  list(FILTER unpacked EXCLUDE REGEX "\\.(tar\\..*|dsc)$")
endif()
if(NOT EXISTS "${unpacked}/cJSON.c" OR NOT EXISTS "${unpacked}/cJSON.h")
  message(FATAL_ERROR "no cJSON.c and cJSON.h in '${unpacked}'")
endif()
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
file(COPY "${unpacked}/cJSON.c" "${unpacked}/cJSON.h" "${unpacked}/LICENSE"
     DESTINATION "${OUTPUT_DIR}")

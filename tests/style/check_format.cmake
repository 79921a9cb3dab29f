# Fails when a source file of the project differs from what clang-format makes of it with
# the project's .clang-format (Google style, 100 columns), and names each such file.
#   cmake -DCLANG_FORMAT=... -DSOURCE_DIR=... -P check_format.cmake
cmake_minimum_required(VERSION 3.25)

# The project's own code. Generated tables (platform/posix/cp936_table.inc) and what the
# build writes are not sources; third-party code lives outside the tree.
set(folders app bench cli core heap json loader platform runtime tests tools ui)
set(sources)
foreach(folder ${folders})
  file(GLOB_RECURSE found LIST_DIRECTORIES false
       ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.c)
  list(APPEND sources ${found})
endforeach()
list(SORT sources)
if(NOT sources)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}")
endif()

set(unformatted)
foreach(source ${sources})
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror --style=file ${source}
                  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE failed
                  OUTPUT_QUIET ERROR_VARIABLE differences)
  if(failed)
    file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
    list(APPEND unformatted ${name})
    string(REGEX MATCHALL "clang-format-violations" warnings "${differences}")
    list(LENGTH warnings count)
    message("${name}: ${count} differences")
  endif()
endforeach()

list(LENGTH sources total)
if(unformatted)
  list(LENGTH unformatted count)
  message(FATAL_ERROR "${count} of ${total} files are not as clang-format writes them; "
                      "run clang-format -i on them")
endif()
message(STATUS "${total} files as clang-format writes them")

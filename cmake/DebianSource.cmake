# Source files taken from one of Debian's source packages at build time, never kept in
# the repository.

set(SUBVANE_FETCH_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/FetchDebianSource.cmake)

# Adds the command that puts `files` (paths inside the unpacked source package `package`)
# into `output_dir` under their own names, fetching the package with apt-get or copying
# them from the unpacked source `source_dir` when that is set.
function(subvane_debian_source package source_dir output_dir)
  set(files ${ARGN})
  set(outputs)
  foreach(file IN LISTS files)
    get_filename_component(name ${file} NAME)
    list(APPEND outputs ${output_dir}/${name})
  endforeach()
  if(source_dir)
    set(fetch_from -DSOURCE_DIR=${source_dir})
  endif()
  string(REPLACE ";" "," file_list "${files}")
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -DPACKAGE=${package} "-DFILES=${file_list}"
            -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/package -DOUTPUT_DIR=${output_dir}
            ${fetch_from} -P ${SUBVANE_FETCH_SCRIPT}
    DEPENDS ${SUBVANE_FETCH_SCRIPT}
    COMMENT "Fetching Debian's ${package} source package"
    VERBATIM)
endfunction()

# Each layer is one static library made of its folder's sources: files ending in
# _win.cpp (and _i686.S) belong to the Windows build only, files ending in _posix.cpp
# to the Linux build only.
function(subvane_layer target dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c ${dir}/*.S)
  if(SUBVANE_WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.(cpp|c)$")
  else()
    list(FILTER sources EXCLUDE REGEX "(_win\\.(cpp|c)|_i686\\.S)$")
  endif()
  add_library(${target} STATIC ${sources})
  subvane_target(${target})
  target_link_libraries(${target} PUBLIC ${ARGN})
endfunction()

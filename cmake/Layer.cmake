# Each layer is one static library made of its folder's sources: files ending in
# _win.cpp belong to both Windows builds only, those ending in _win_i686.cpp to the
# 32-bit one and _win_x64.cpp to the 64-bit one; files ending in _posix.cpp belong to
# the Linux build only.
function(subvane_layer target dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  if(NOT SUBVANE_WIN32)
    list(FILTER sources EXCLUDE REGEX "_win(_i686|_x64)?\\.(cpp|c)$")
  elseif(SUBVANE_WIN64)
    list(FILTER sources EXCLUDE REGEX "(_posix|_win_i686)\\.(cpp|c)$")
  else()
    list(FILTER sources EXCLUDE REGEX "(_posix|_win_x64)\\.(cpp|c)$")
  endif()
  add_library(${target} STATIC ${sources})
  subvane_target(${target})
  target_link_libraries(${target} PUBLIC ${ARGN})
endfunction()

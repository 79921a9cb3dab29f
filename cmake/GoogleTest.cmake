# Google Test from Debian's source package, built with the project's compiler so
# that the same version serves the Linux and the Windows builds.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# A Windows build's tests run under Wine. Where this machine cannot run the build's
# programs (a 32-bit build on a host without IA-32 emulation), scripts/test.sh configures
# it with SUBVANE_WINE_TESTS=OFF: the tests are built but only the checks that read the
# files (imports, resources, the zip) are registered.
option(SUBVANE_WINE_TESTS "Register the tests that run the Windows build under Wine" ON)
if(SUBVANE_WIN32 AND NOT SUBVANE_WINE_TESTS)
  set(SUBVANE_RUN_TESTS OFF)
else()
  set(SUBVANE_RUN_TESTS ON)
endif()

# Adds one test executable of the project, discovered test by test by CTest.
function(subvane_test name)
  add_executable(${name} ${ARGN})
  subvane_target(${name})
  target_link_libraries(${name} PRIVATE GTest::gtest_main)
  if(SUBVANE_RUN_TESTS)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120)
  endif()
endfunction()

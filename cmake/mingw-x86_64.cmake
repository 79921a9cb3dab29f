# Cross build of the 64-bit Windows program with MinGW-w64; tests run under the 64-bit
# Wine loader, which also runs where the host cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
# Debian's `wine` takes the 32-bit loader whenever it is installed.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine64/wine)

# Writes a file's bytes as a C++ constant laid out as a byte array of the runtime:
# int32 dimension count 1, int32 length, then the bytes.
#   cmake -DINPUT=... -DOUTPUT_DIR=... -DHEADER=dir/name.h -DNAME=... -DTYPE=... -P EmbedFile.cmake
# writes OUTPUT_DIR/HEADER (the declaration) and OUTPUT_DIR/HEADER with .cpp (the data).
file(SIZE "${INPUT}" length)
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 row)
string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)
string(REGEX REPLACE "\\.h$" ".cpp" source "${HEADER}")

file(WRITE "${OUTPUT_DIR}/${HEADER}" "\
// Generated from ${input_name} by tools/cjson-dll/EmbedFile.cmake; do not edit.
#pragma once

#include <cstdint>

struct ${TYPE} {
  int32_t dimensionCount;
  int32_t length;
  uint8_t bytes[${length}];
};

extern const ${TYPE} ${NAME};
")
file(WRITE "${OUTPUT_DIR}/${source}" "\
// Generated from ${input_name} by tools/cjson-dll/EmbedFile.cmake; do not edit.
#include \"${HEADER}\"

alignas(4) const ${TYPE} ${NAME} = {1, ${length}, {
    ${bytes}}};
")

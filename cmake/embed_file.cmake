# Writes a file's bytes as a C++ array: cmake -DINPUT=... -DOUTPUT=... -DNAME=... -P embed_file.cmake
file(READ ${INPUT} bytes HEX)
string(LENGTH "${bytes}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
file(WRITE ${OUTPUT} "// Made at build time from ${INPUT}.\n#include <cstddef>\n\n"
  "namespace drelm {\nextern const unsigned char ${NAME}[] = {${bytes}};\n"
  "extern const std::size_t ${NAME}Size = ${size};\n}  // namespace drelm\n")

# cmake -DIN=file -DOUT=file.cpp -DSYMBOL=name -P EmbedResources.cmake
# Writes OUT: the bytes of IN as `const unsigned char SYMBOL[]` and its size as
# `SYMBOL_size`, in namespace host. The bytes go into one string literal of \x
# escapes, which compilers read many times faster than a list of numbers.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
file(WRITE "${OUT}" "// Generated from ${IN}: do not edit.\n"
  "#include <cstddef>\n"
  "#pragma GCC diagnostic ignored \"-Woverlength-strings\"\n"
  "namespace host {\n"
  "extern const unsigned char ${SYMBOL}[];\n"
  "extern const size_t ${SYMBOL}_size;\n"
  "const unsigned char ${SYMBOL}[] = \"${escaped}\";\n"
  "const size_t ${SYMBOL}_size = ${size};\n"
  "}  // namespace host\n")

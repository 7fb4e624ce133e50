# Writes OUT: a C++ table of the files in FILES (a ;-list), for host::FindResource.
set(body "")
set(table "")
set(index 0)
foreach(file ${FILES})
  get_filename_component(stem ${file} NAME_WE)
  get_filename_component(ext ${file} EXT)
  string(TOUPPER ${stem} key)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "static const unsigned char res${index}[] = {${bytes}};\n")
  string(APPEND table "  {\"${key}\", \"${ext}\", res${index}, sizeof(res${index})},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUT} "// Generated at build time from resources/: do not edit.\n"
  "#include \"host/gfx/Resources.h\"\n"
  "namespace host {\n${body}\n"
  "static const EmbeddedResource table[] = {\n${table}  {nullptr, nullptr, nullptr, 0}};\n"
  "const EmbeddedResource* EmbeddedResources() { return table; }\n"
  "}  // namespace host\n")
